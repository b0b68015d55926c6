// The find page's results list: one result per title link, year-matching hits first.

#include "core/IMDB.h"

#include "platform/Cursor.h"

#include <QSet>

using platform::Cursor;

namespace {

bool isTitleNumber(const Text &number)
{
    if (!number.isNotEmpty())
        return false;
    for (QChar c : number.string()) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// The year written after a result's link: "/a> (1994)", or after a disambiguation mark,
// "/a> (I) (1994)". 0 when there is none.
qint64 yearAfterLink(const Text &afterLink)
{
    if (!afterLink.hasPrefix(u"/a> ("))
        return 0;
    const Text rest = afterLink.substringFromIndex(5);
    const qint64 year = rest.integerValue();
    if (year == 0 && rest.contains(u"("))
        return rest.after(u"(").integerValue();
    return year;
}

} // namespace

void IMDB::addResultsFromString(const QString &pageText)
{
    const Text page(pageText);
    Text section = page.stringBetween(u"findSectionHeader", u"THEENDOFPAGE");
    if (!section.isNotEmpty())
        section = page;

    static constexpr QStringView linkMarker = u"href=\"/title/tt";
    Cursor cursor(section.string());
    cursor.scanUpTo(linkMarker);
    if (cursor.atEnd())
        return;

    QMutexLocker lock(&m_searchMutex);
    const qint64 entryYear = m_theatricalYear;
    Results existing = results();
    QSet<QString> seen(existing.numbers.cbegin(), existing.numbers.cend());
    Results matching;
    Results others;

    while (true) {
        cursor.advance(linkMarker.size());
        const Text number = cursor.captureUpTo(u"/");
        cursor.scanUpTo(u">");
        const Text linkText = Text(cursor.captureUpTo(u"</")).substringFromIndex(1);
        if (!linkText.hasPrefix(u"<")) {
            const Text title = linkText.stringByCleaningHTML();
            cursor.advance(1);
            const qint64 year = yearAfterLink(cursor.captureUpTo(u"<"));
            const QString display =
                year ? title.string() + u" (" + QString::number(year) + u')' : title.string();
            if (isTitleNumber(number) && title.isNotEmpty() && !seen.contains(number.string())) {
                seen.insert(number.string());
                Results &into = (year != 0 && year == entryYear) ? matching : others;
                into.titles.append(display);
                into.numbers.append(number.string());
            }
        }
        cursor.scanUpTo(linkMarker);
        if (cursor.atEnd())
            break;
    }

    // Year-matching hits go in front of whatever the lists held, the others after it.
    matching.titles += existing.titles + others.titles;
    matching.numbers += existing.numbers + others.numbers;
    setResults(std::move(matching));
}
