#include "platform/DatePatterns.h"

namespace platform {
namespace {

// The value of `count` ASCII digits at `from`, or nothing when any of them is not one.
std::optional<int> digitsAt(QStringView text, qsizetype from, qsizetype count)
{
    if (from + count > text.size())
        return std::nullopt;
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

std::optional<QDate> validDate(int year, int month, int day)
{
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

std::optional<QDate> dateFromYearPattern(QStringView text)
{
    if (text.size() != 4)
        return std::nullopt;
    const auto year = digitsAt(text, 0, 4);
    if (!year)
        return std::nullopt;
    return validDate(*year, 1, 1);
}

std::optional<QDate> dateFromDayPattern(QStringView text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    const auto year = digitsAt(text, 0, 4);
    const auto month = digitsAt(text, 5, 2);
    const auto day = digitsAt(text, 8, 2);
    if (!year || !month || !day)
        return std::nullopt;
    return validDate(*year, *month, *day);
}

} // namespace platform
