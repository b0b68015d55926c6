#include "details/Awards.h"

#include "details/SectionScan.h"
#include "details/TitlePage.h"
#include "details/TitleRecord.h"

namespace details {
namespace {

// The older layout: the first awards blurb, its sentences turned into a list ("Won 1
// Oscar." becomes "Won 1 Oscar"). Stored even when it cleans to nothing, so that the newer
// layout's row is tried next.
void addAwardsBlurb(TitlePage &page, TitleRecord &record)
{
    page.scanner.rewind();
    const Text blurb = scanSection(page.scanner, {u"\"awards-blurb\"", u">"});
    if (blurb.isNull())
        return;
    Text awards = blurb.replacing(u"\n", u"")
                      .replacing(u".", u", ")
                      .replacing(u"|", u"")
                      .stringByCleaningHTML()
                      .stringByRemovingNewLines();
    if (awards.hasSuffix(u","))
        awards = awards.substringToIndex(awards.length() - 1);
    record.set(recordkey::awards, awards);
}

// The newer layout: the row's first list item ("63 wins & 29 nominations total"), followed
// by its label link when that names a prize rather than being the plain "Awards" heading.
void addAwardInformation(const Text &page, TitleRecord &record)
{
    Text awards = page.stringBetween(u"award_information", u"</div>")
                      .stringBetween(u"<li ", u"</")
                      .stringBetween(u">", u"</")
                      .stringByCleaningHTML();
    const Text label = page.stringBetween(u"award_information", u"</a>")
                           .stringBetween(u">", u"</")
                           .stringByCleaningHTML();
    if (!label.isNull() && !label.hasPrefix(u"Award") && awards.isNotEmpty())
        awards = QString(awards.string() + u", " + label.string());
    if (!awards.isNull())
        record.set(recordkey::awards, awards);
}

} // namespace

void addAwards(TitlePage &page, TitleRecord &record)
{
    if (!record.isEmpty(recordkey::awards))
        return;
    addAwardsBlurb(page, record);
    if (record.isEmpty(recordkey::awards))
        addAwardInformation(page.page, record);
}

} // namespace details
