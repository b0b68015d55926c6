#include "details/Story.h"

#include "details/SectionScan.h"
#include "details/TitlePage.h"
#include "details/TitleRecord.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

namespace details {
namespace {

// Each layout in turn, oldest first; an attempt that finds nothing leaves the key absent
// for the next one.
void addSummary(const TitlePage &page, TitleRecord &record)
{
    if (record.isEmpty(recordkey::summary)) {
        // The storyline paragraph ends with its author's credit in an <em>.
        Text paragraph = page.page.stringBetween(u">Storyline</", u"</div", u"titleStoryLine\"")
                             .stringBetween(u"<p>", u"</p");
        if (paragraph.contains(u"<em"))
            paragraph = paragraph.cutBefore(u"<em");
        record.set(recordkey::summary, paragraph.stringByCleaningHTML());
    }
    if (record.isEmpty(recordkey::summary)) {
        record.set(recordkey::summary,
                   page.page.stringBetween(u">", u"<span", u"\"storyline-plot-summary\"")
                       .stringByCleaningHTML());
    }
    if (record.isEmpty(recordkey::summary))
        record.set(recordkey::summary,
                   page.structuredText(u"description"_qs).stringByCleaningHTML());
}

// The keywords page (read later, when the same option is on) replaces these.
void addStructuredKeywords(const TitlePage &page, TitleRecord &record)
{
    if (!platform::UserDefaults::boolForKey(prefs::additionalPlotKeywords))
        return;
    if (!record.isEmpty(recordkey::tags))
        return;
    const Text keywords = page.structuredText(u"keywords"_qs);
    if (keywords.isNotEmpty())
        record.set(recordkey::tags, keywords);
}

void addTagline(TitlePage &page, TitleRecord &record)
{
    platform::Cursor &scanner = page.scanner;
    scanner.rewind();
    if (record.isEmpty(recordkey::tagline)) {
        scanner.rewind();
        const Text tagline = scanSection(scanner, {u"Taglines:</", u">"}, u"<");
        if (!tagline.isNull())
            record.set(recordkey::tagline, tagline.stringByCleaningHTML());
    }
    if (record.isEmpty(recordkey::tagline)) {
        // The first tagline only.
        const Text tagline = page.page.stringBetween(u"storyline-taglines", u"</div>")
                                 .stringBetween(u"<li ", u"</")
                                 .stringBetween(u">", u"</")
                                 .stringByCleaningHTML();
        if (!tagline.isNull())
            record.set(recordkey::tagline, tagline);
    }
    scanner.rewind();
}

} // namespace

void addStory(TitlePage &page, TitleRecord &record)
{
    addSummary(page, record);
    addStructuredKeywords(page, record);
    addTagline(page, record);
}

} // namespace details
