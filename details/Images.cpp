#include "details/Images.h"

#include "details/TitlePage.h"
#include "details/TitleRecord.h"

namespace details {
namespace {

// The mark that poster addresses carry before their size suffix.
constexpr QStringView posterMark = u"._V1";

// The page's preview picture: the link element whose relation is the image source (note the
// single quotation mark the site writes after "rel="), else the sharing-preview meta element.
Text previewPictureAddress(const Text &page)
{
    Text link = page.stringBetween(u"rel='image_src", u"\">").stringBetween(u"href=\"", u"\"");
    if (!link.isNull())
        return link;
    return page.stringBetween(u"'og:image", u">").stringBetween(u"content=\"", u"\"");
}

// The same poster in the large size the catalogue prefers.
QString largeVariant(const Text &address)
{
    const qsizetype mark = address.indexOf(posterMark);
    return address.string().left(mark + posterMark.size()) + u"._S800_SY800_.jpg";
}

} // namespace

void addCoverImages(TitlePage &page, TitleRecord &record)
{
    QStringList images = record.imageLocations();
    Text address = previewPictureAddress(page.page);
    if (address.isNull()) {
        // Without a preview picture in the markup the structured data's picture is taken as
        // it is; it names no size to swap.
        const Text image = page.structuredText(QStringLiteral("image"));
        if (!image.isNull()) {
            images.append(image.string());
            record.setImageLocations(images);
        }
    } else {
        images.append(address.string());
        // Pages without a poster of their own preview the site's logo; the poster shown
        // beside the plot summary is then the real cover.
        if (address.contains(u"/imdb_fb_logo")) {
            const Text poster =
                page.page.stringBetween(u"<img", u"/>", u"minPosterWithPlotSummaryHeight")
                    .stringBetween(u"src=\"", u"\"");
            if (!poster.isNull())
                address = poster;
        }
        images.append(address.string());
        if (address.contains(posterMark))
            images.prepend(largeVariant(address));
        record.setImageLocations(images);
    }
    page.scanner.rewind();
}

} // namespace details
