#include "platform/NaturalDates.h"

#include "platform/DatePatterns.h"

#include <QList>
#include <QString>

#include <array>

namespace platform {
namespace {

struct Word
{
    enum Kind {
        Weekday,
        Month,
        Day,
        Year,
        Other
    };
    Kind kind = Other;
    int value = 0;
};

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// 1 to 12 for a month name or abbreviation (lower case, dot already dropped), 0 otherwise.
int monthNumber(const QString &word)
{
    static const std::array<QStringView, 12> names = {
        u"january", u"february", u"march",     u"april",   u"may",      u"june",
        u"july",    u"august",   u"september", u"october", u"november", u"december"};
    for (int i = 0; i < int(names.size()); ++i) {
        if (word == names[i] || word == names[i].left(3))
            return i + 1;
    }
    return word == u"sept" ? 9 : 0;
}

bool isWeekday(const QString &word)
{
    static const std::array<QStringView, 7> names = {
        u"monday", u"tuesday", u"wednesday", u"thursday", u"friday", u"saturday", u"sunday"};
    for (QStringView name : names) {
        if (word == name || word == name.left(3))
            return true;
    }
    return word == u"tues" || word == u"thur" || word == u"thurs";
}

// A day of one or two digits, with an optional ordinal ending ("1st", "22nd", "14th").
std::optional<int> dayNumber(const QString &word)
{
    qsizetype digits = 0;
    while (digits < word.size() && isAsciiDigit(word[digits]))
        ++digits;
    if (digits < 1 || digits > 2)
        return std::nullopt;
    const QStringView ending = QStringView(word).mid(digits);
    if (!ending.isEmpty() && ending != u"st" && ending != u"nd" && ending != u"rd" &&
        ending != u"th")
        return std::nullopt;
    return QStringView(word).left(digits).toInt();
}

Word classify(QString word)
{
    word = word.toLower();
    // A dot ends abbreviations ("Oct.", "Fri.") and is not part of the word.
    if (word.size() > 1 && word.endsWith(u'.'))
        word.chop(1);
    if (const int month = monthNumber(word))
        return {Word::Month, month};
    if (isWeekday(word))
        return {Word::Weekday, 0};
    if (const auto year = dateFromYearPattern(word))
        return {Word::Year, year->year()};
    if (const auto day = dayNumber(word))
        return {Word::Day, *day};
    return {};
}

QList<Word> words(QStringView text)
{
    QList<Word> result;
    QString current;
    const auto flush = [&] {
        if (!current.isEmpty())
            result.append(classify(current));
        current.clear();
    };
    for (const QChar c : text) {
        if (c.isSpace() || c == u',')
            flush();
        else
            current.append(c);
    }
    flush();
    return result;
}

std::optional<QDate> dayOf(int year, int month, int day)
{
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

std::optional<QDate> dateFromNaturalLanguage(QStringView text)
{
    if (const auto numeric = dateFromDayPattern(text.trimmed()))
        return numeric;

    QList<Word> list = words(text);
    if (!list.isEmpty() && list.first().kind == Word::Weekday)
        list.removeFirst();

    const auto kinds = [&](std::initializer_list<Word::Kind> expected) {
        if (list.size() != qsizetype(expected.size()))
            return false;
        qsizetype i = 0;
        for (const Word::Kind kind : expected) {
            if (list[i++].kind != kind)
                return false;
        }
        return true;
    };

    if (kinds({Word::Year}))
        return dayOf(list[0].value, 1, 1);
    if (kinds({Word::Month, Word::Year}))
        return dayOf(list[1].value, list[0].value, 1);
    if (kinds({Word::Day, Word::Month, Word::Year}))
        return dayOf(list[2].value, list[1].value, list[0].value);
    if (kinds({Word::Month, Word::Day, Word::Year}))
        return dayOf(list[2].value, list[0].value, list[1].value);
    return std::nullopt;
}

} // namespace platform
