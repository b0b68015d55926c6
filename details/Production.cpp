#include "details/Production.h"

#include "details/ListCollection.h"
#include "details/SectionScan.h"
#include "details/TitlePage.h"
#include "details/TitleRecord.h"

namespace details {
namespace {

// The text of the first "<li " item of a block.
Text firstItem(const Text &block)
{
    return block.stringBetween(u"<li ", u"</").stringBetween(u">", u"</").stringByCleaningHTML();
}

void addCountries(TitlePage &page, TitleRecord &record)
{
    if (record.isEmpty(recordkey::country)) {
        const Text countries = scanSection(page.scanner, {u"Country:</h4>"}, u"</div");
        if (!countries.isNull())
            record.set(recordkey::country, joinedPipeList(countries.stringByCleaningHTML()));
    }
    if (record.isEmpty(recordkey::country)) {
        const Text countries =
            listCollection(page.page.stringBetween(u"title-details-origin", u"</div>"));
        if (countries.isNotEmpty())
            record.set(recordkey::country, countries);
    }
}

void addLanguages(const TitlePage &page, TitleRecord &record)
{
    if (record.isEmpty(recordkey::languages)) {
        const Text languages =
            listCollection(page.page.stringBetween(u">", u"</ul", u"title-details-languages"));
        if (languages.isNotEmpty())
            record.set(recordkey::languages, languages);
    }
    if (record.isEmpty(recordkey::languages)) {
        const Text languages =
            listCollection(page.page.stringBetween(u"title-details-languages", u"</div>"));
        if (languages.isNotEmpty())
            record.set(recordkey::languages, languages);
    }
}

void addStudio(TitlePage &page, TitleRecord &record)
{
    if (record.isEmpty(recordkey::studio)) {
        // The older layout names the first company only.
        const Text studio = scanSection(page.scanner, {u"Company Credits", u"/company/", u">"});
        if (!studio.isNull())
            record.set(recordkey::studio, studio.stringByCleaningHTML());
    }
    if (record.isEmpty(recordkey::studio)) {
        const Text studios =
            listCollection(page.page.stringBetween(u"title-details-companies", u"</div>"));
        if (studios.isNotEmpty())
            record.set(recordkey::studio, studios);
    }
}

void addSound(TitlePage &page, TitleRecord &record)
{
    if (record.isEmpty(recordkey::sound)) {
        const Text sound = scanSection(page.scanner, {u"Sound Mix:</h4>", u">"});
        if (!sound.isNull())
            record.set(recordkey::sound, sound.stringByCleaningHTML());
    }
    if (record.isEmpty(recordkey::sound)) {
        const Text sound =
            firstItem(page.page.stringBetween(u"title-techspec_soundmix", u"</div>"));
        if (!sound.isNull())
            record.set(recordkey::sound, sound);
    }
}

// The colour has no record key of its own: it goes to the catalogue's "Color" field, when
// the catalogue has one, whatever that field held.
void addColour(const TitlePage &page, TitleRecord &record)
{
    const Text colour = firstItem(page.page.stringBetween(u"title-techspec_color", u"</div>"));
    if (colour.isNull())
        return;
    if (const std::optional<QString> key = page.customField(u"Color"_qs))
        record.set(*key, colour);
}

void addAspectRatio(TitlePage &page, TitleRecord &record)
{
    if (record.isEmpty(recordkey::aspectRatio)) {
        // "2.35 : 1 <a href=...>(more)</a>": the link is not part of the ratio.
        const Text ratio = scanSection(page.scanner, {u"Aspect Ratio:</h4>", u">"});
        if (!ratio.isNull())
            record.set(recordkey::aspectRatio, ratio.cutBefore(u"<a ").stringByCleaningHTML());
    }
    if (record.isEmpty(recordkey::aspectRatio)) {
        const Text ratio =
            firstItem(page.page.stringBetween(u"title-techspec_aspectratio", u"</div>"));
        if (!ratio.isNull())
            record.set(recordkey::aspectRatio, ratio);
    }
}

} // namespace

void addProductionDetails(TitlePage &page, TitleRecord &record)
{
    addCountries(page, record);
    addLanguages(page, record);
    addStudio(page, record);
    addSound(page, record);
    addColour(page, record);
    addAspectRatio(page, record);
}

} // namespace details
