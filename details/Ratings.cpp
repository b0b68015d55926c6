#include "details/Ratings.h"

#include "details/TitlePage.h"
#include "details/TitleRecord.h"
#include "host/Localization.h"
#include "platform/StringFormat.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace details {
namespace {

bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

// A number as the platform writes it in a text: integers without a decimal point, other
// values in their shortest exact form.
QString decimalText(double number)
{
    if (std::isfinite(number) && number == std::trunc(number))
        return QString::number(number, 'f', 0);
    return QString::number(number, 'g', QLocale::FloatingPointShortest);
}

// The integer part of a rating, as the platform's intValue reads a number or a text;
// out-of-range numbers saturate rather than overflow.
int integerPart(const QVariant &rating)
{
    if (rating.typeId() == QMetaType::QString)
        return Text(rating.toString()).intValue();
    const double number = rating.toDouble();
    if (!std::isfinite(number))
        return 0;
    constexpr int largest = std::numeric_limits<int>::max();
    constexpr int smallest = std::numeric_limits<int>::min();
    return number >= largest ? largest : number <= smallest ? smallest : int(number);
}

QString ratingText(const QVariant &rating)
{
    if (rating.typeId() == QMetaType::QString)
        return rating.toString();
    return decimalText(rating.toDouble());
}

// The structured rating value: a text as it is, a number as a double; anything else (an
// object, a list, a Boolean) counts as no rating.
QVariant structuredRating(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return value;
    if (isNumber(value))
        return value.toDouble();
    return {};
}

Text structuredCount(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (value.typeId() == QMetaType::Double)
        return decimalText(value.toDouble());
    if (isNumber(value))
        return value.toString();
    return {};
}

// The count in the user's locale, with its grouping even where the locale's defaults leave
// it out (the C locale), and from the whole 64-bit value so that no digit is lost.
QString groupedCount(qint64 count)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(count);
}

struct UserRating
{
    QVariant rating; // a text or a double; invalid when none
    Text votes;
    // Decided on the count before it is written for the locale: a locale with digits of its
    // own would otherwise read as no votes.
    bool hasVotes = false;
};

UserRating structuredUserRating(const TitlePage &page)
{
    const QVariant aggregate = page.structured(QStringLiteral("aggregateRating"));
    if (aggregate.typeId() != QMetaType::QVariantMap)
        return {};
    const QVariantMap values = aggregate.toMap();
    UserRating found;
    found.rating = structuredRating(values.value(QStringLiteral("ratingValue")));
    found.votes = structuredCount(values.value(QStringLiteral("ratingCount")));
    found.hasVotes = found.votes.intValue() != 0;
    if (found.hasVotes)
        found.votes = groupedCount(found.votes.integerValue());
    return found;
}

UserRating markupUserRating(const Text &page)
{
    const Text wrapper = page.stringBetween(u"class=\"ratings_wrapper\"", u"</div");
    Text rating =
        wrapper.stringBetween(u">", u"</", u"itemprop=\"ratingValue\"").stringByCleaningHTML();
    Text votes = wrapper.stringBetween(u">", u"<", u"=\"small\"").stringByCleaningHTML();
    if (votes.isNull())
        votes = page.stringBetween(u"\"ratingCount\": ", u",");
    if (rating.isNull())
        rating = page.stringBetween(u">", u"<", u"star-box-giga-star\"").stringByCleaningHTML();

    UserRating found;
    found.rating = rating.toVariant();
    found.votes = votes;
    found.hasVotes = votes.intValue() != 0;
    return found;
}

} // namespace

QString ratingWithVotes(const QString &rating, const QString &votes)
{
    const QString format = host::localized(QStringLiteral("votes"), QStringLiteral("%@ (%@ votes)"),
                                           QStringLiteral("Localizable"));
    return platform::stringWithFormat(format, {rating, votes});
}

void addCriticsScore(TitlePage &page, TitleRecord &record)
{
    const Text score = page.page.stringBetween(u">", u"</a", u"metacriticScore");
    if (score.isNull())
        return;
    const Text cleaned = score.stringByCleaningHTML();
    for (const QString &title : {QStringLiteral("Metacritic"), QStringLiteral("Metascore")}) {
        if (const auto key = page.customField(title))
            record.set(*key, cleaned);
    }
}

void addPersonalRating(TitlePage &page, TitleRecord &record)
{
    if (!platform::UserDefaults::boolForKey(prefs::disablePersonalRating)) {
        // The rating widget holds one element per star the user gave.
        const Text widget = page.page.stringBetween(u"div class=\"rating\"", u"</div>");
        const qsizetype stars = widget.stringsBetween(u">", u"<").size();
        if (stars >= 1 && stars <= 10)
            record.set(recordkey::myRating, QVariant(uint(stars)));
    }
    // The principal crew reads the page from the top.
    page.scanner.rewind();
}

void addUserRating(TitlePage &page, TitleRecord &record)
{
    if (!record.isEmpty(recordkey::rating))
        return;
    UserRating found = structuredUserRating(page);
    if (!found.rating.isValid() && found.votes.isNull())
        found = markupUserRating(page.page);
    if (integerPart(found.rating) == 0)
        return;

    QVariant rating = found.rating;
    if (found.hasVotes) {
        if (const auto votesKey = page.customField(votesFieldTitle))
            record.set(*votesKey, found.votes);
        else
            rating = ratingWithVotes(ratingText(found.rating), found.votes.string());
    }
    record.set(recordkey::rating, rating);
}

} // namespace details
