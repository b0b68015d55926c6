#include "details/ReleaseDate.h"

#include "details/TitlePage.h"
#include "details/TitleRecord.h"
#include "platform/DatePatterns.h"
#include "platform/NaturalDates.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

#include <QDateTime>

namespace details {
namespace {

// The date of the "Release Date:" line of the older layouts, written in words and followed
// by the country in parentheses and a link to the other release dates.
std::optional<QDate> releaseDateFromMarkup(platform::Cursor &scanner)
{
    scanner.rewind();
    scanner.scanUpTo(u"Release Date:</");
    scanner.scanUpTo(u">");
    const Text capture = scanner.captureUpTo(u"</");
    if (!capture.hasPrefix(u">"))
        return std::nullopt;
    const Text words =
        capture.substringFromIndex(1).cutBefore(u"<a ").cutBefore(u"(").stringByCleaningHTML();
    return platform::dateFromNaturalLanguage(words.string());
}

// The day a stored date stands for; nothing for a value that is not a date.
std::optional<QDate> storedDate(const QVariant &value)
{
    QDate date;
    if (value.typeId() == QMetaType::QDate)
        date = value.toDate();
    else if (value.typeId() == QMetaType::QDateTime)
        date = value.toDateTime().toLocalTime().date();
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

void addReleaseDate(TitlePage &page, TitleRecord &record)
{
    const std::optional<QDate> theatrical = storedDate(record.value(recordkey::theatrical));

    const Text published = page.structuredText(QStringLiteral("datePublished"));
    std::optional<QDate> date;
    if (!published.isNull())
        date = platform::dateFromDayPattern(published.string());
    if (!date)
        date = releaseDateFromMarkup(page.scanner);
    if (!date)
        return;

    // A release in another year than the title's is a later (or foreign) release, never the
    // theatrical date.
    const bool otherYear = theatrical && theatrical->year() != date->year();
    if (otherYear || platform::UserDefaults::boolForKey(prefs::disableCountryRelease))
        record.set(recordkey::releaseDate, QVariant(*date));
    else
        record.set(recordkey::theatrical, QVariant(*date));
}

} // namespace details
