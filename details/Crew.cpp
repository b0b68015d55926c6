#include "details/Crew.h"

#include "details/NameLinks.h"
#include "details/StructuredData.h"
#include "details/TitlePage.h"
#include "details/TitleRecord.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

#include <QSet>

namespace details {
namespace {

// The first of the markup attempts that finds its block.
Text firstBlock(const Text &page, std::initializer_list<std::pair<QStringView, QStringView>> marks)
{
    for (const auto &[start, end] : marks) {
        Text block = page.stringBetween(start, end);
        if (!block.isNull())
            return block;
    }
    return {};
}

void addDirector(TitlePage &page, TitleRecord &record)
{
    if (!record.isEmpty(recordkey::director))
        return;
    const QString structured = stringFromJSON(page.structuredData, recordkey::director);
    if (!structured.isEmpty())
        record.set(recordkey::director, structured);

    // Script data first: only the first object after the marker counts, since the object's
    // text ends at its first "}".
    Text candidate;
    Text json = page.page.stringBetween(u"{", u"}", u"\"director\":");
    if (json.isNull())
        json = page.page.stringBetween(u"<li ", u"</li>", u">Director<");
    const QString joined = json.stringsBetween(u"\"name\":\"", u"\"").join(u", ");
    if (!joined.isEmpty()) {
        candidate = joined;
    } else {
        const Text block = firstBlock(page.page, {{u"Director:</h4>", u"</div>"},
                                                  {u"Directors:</h4", u"</div>"},
                                                  {u"=tt_ov_dr\">", u"<"}});
        if (block.isNull()) {
            page.scanner.rewind();
        } else {
            // A block without person links (the plain name after "=tt_ov_dr") stays as found.
            candidate = block;
            const Text links = nameLinkList(block);
            if (links.isNotEmpty())
                candidate = links.stringByCleaningHTML();
        }
    }
    if (record.isEmpty(recordkey::director))
        record.set(recordkey::director, candidate);
}

void addCreator(TitlePage &page, TitleRecord &record)
{
    if (!record.isEmpty(recordkey::creator))
        return;
    const QString structured = stringFromJSON(page.structuredData, recordkey::creator);
    if (!structured.isEmpty())
        record.set(recordkey::creator, structured);

    const Text block = firstBlock(page.page, {{u"Creator:", u"</div>"}, {u"Creators:", u"</div>"}});
    if (block.isNull()) {
        page.scanner.rewind();
        return;
    }
    const Text links = nameLinkList(block);
    if (links.isNotEmpty() && structured.isEmpty())
        record.set(recordkey::creator, links.stringByCleaningHTML());
}

void addWriter(TitlePage &page, TitleRecord &record)
{
    if (!record.isEmpty(recordkey::writer))
        return;
    // The block ends at its list's "</ul"; in the layouts where the label is a heading
    // ("Writers:</h4>") no list follows, and the block would run on through the stars and the
    // cast, so it also ends at its box's "</div>".
    Text block = page.page.stringBetween(u">", u"</ul", u"\">Writers").cutBefore(u"</div>");

    // The older layouts, through the page scanner (which stands at the start of the page).
    // A capture that passes over nothing leaves the block as it was.
    if (!block.isNotEmpty()) {
        platform::Cursor &scanner = page.scanner;
        const auto captureAfter = [&](QStringView marker, QStringView end) {
            scanner.scanUpTo(marker);
            if (std::optional<QString> captured = scanner.captureUpTo(end))
                block = *captured;
        };
        captureAfter(u"Writers:", u"</div>");
        if (scanner.atEnd()) {
            scanner.rewind();
            captureAfter(u"Writer:", u"</div>");
            if (scanner.atEnd()) {
                scanner.rewind();
                captureAfter(u"/W#writer", u"</table>");
            }
        }
    }
    if (block.isNull()) {
        page.scanner.rewind();
        return;
    }
    const Text links = nameLinkList(block);
    if (links.isNotEmpty())
        record.set(recordkey::writer, links.stringByCleaningHTML());
}

void addProducer(TitleRecord &record, const Text &page)
{
    const Text block = page.stringBetween(u"/P#producer\">", u"</table>");
    if (block.isNull())
        return;

    platform::Cursor scanner(block.string());
    const auto scanToNextLink = [&scanner] {
        scanner.scanUpTo(u"name/");
        scanner.scanUpTo(u"/\">");
    };
    scanToNextLink();
    const int limit = platform::UserDefaults::boolForKey(prefs::creditsProducedBy) ? 20 : 4;

    // A name repeated in the block counts once and does not use up the limit.
    QStringList names;
    QSet<QString> seen;
    while (!scanner.atEnd() && names.size() < limit) {
        Text name = QString();
        if (std::optional<QString> captured = scanner.captureUpTo(u"</"))
            name = *captured;
        scanToNextLink();
        if (name.hasPrefix(u"/\">"))
            name = name.substringFromIndex(3).stringByCleaningHTML();
        if (seen.contains(name.string()))
            continue;
        seen.insert(name.string());
        names.append(name.string());
    }
    if (!names.isEmpty())
        record.set(recordkey::producer, Text(names.join(u", ")).stringByCleaningHTML());
}

} // namespace

void addPrincipalCrew(TitlePage &page, TitleRecord &record)
{
    addDirector(page, record);
    addCreator(page, record);
    addWriter(page, record);
    addProducer(record, page.page);
}

} // namespace details
