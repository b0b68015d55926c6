#include "details/Classification.h"

#include "details/Certificates.h"
#include "details/ListCollection.h"
#include "details/SectionScan.h"
#include "details/TitlePage.h"
#include "details/TitleRecord.h"

namespace details {
namespace {

// A text as it stands, a list of texts joined; anything else is no genre.
Text structuredGenres(const TitlePage &page)
{
    const QVariant genres = page.structured(u"genre"_qs);
    if (genres.typeId() == QMetaType::QString)
        return genres.toString();
    if (genres.typeId() != QMetaType::QVariantList)
        return {};
    QStringList names;
    for (const QVariant &genre : genres.toList()) {
        if (genre.typeId() != QMetaType::QString)
            return {};
        names.append(genre.toString());
    }
    return names.join(u", ");
}

// The older layout's genre links, read as the search parameter they carry
// ("/search/title?genres=drama&ref_=x" gives "drama").
Text genreLinks(platform::Cursor &scanner)
{
    scanner.scanUpTo(u">Genres:<");
    const Text block = scanner.captureUpTo(u"</div");
    QStringList genres;
    for (const QString &link : block.stringsBetween(u"genres=", u"&")) {
        const Text genre = Text(link).cutBefore(u"?").stringByCleaningHTML();
        if (!genre.isNull())
            genres.append(genre.string());
    }
    if (genres.isEmpty()) {
        scanner.rewind();
        return {};
    }
    return genres.join(u", ");
}

void addGenres(TitlePage &page, TitleRecord &record)
{
    if (record.isEmpty(recordkey::genre)) {
        Text genres = structuredGenres(page);
        if (!genres.isNotEmpty())
            genres = genreLinks(page.scanner);
        record.set(recordkey::genre, genres);
    }
    // Added whatever the genres came from, so that the catalogue can tell a TV film apart.
    if (page.page.contains(u"(TV Movie "))
        record.addString(u"TV Movie"_qs, recordkey::genre);
    if (record.isEmpty(recordkey::genre)) {
        const Text genres = listCollection(page.page.stringBetween(u"storyline-genres", u"</div>"));
        if (genres.isNotEmpty())
            record.set(recordkey::genre, genres);
    }
}

// The older layouts' rating line, after its "MPAA" link, normalised to a label; else the
// text of the "Certificate:" row.
Text pageCertificate(TitlePage &page)
{
    platform::Cursor &scanner = page.scanner;
    scanner.rewind();
    const Text rating = scanSection(scanner, {u"MPAA</a>", u"h4>"});
    Text certificate;
    if (!rating.isNull())
        certificate = certificateLabel(rating);
    else
        certificate = page.page.stringBetween(u">", u"</", u"Certificate:</");
    certificate = certificate.stringByCleaningHTML();
    // A link to the list of every country's certificate is not a certificate.
    if (certificate.contains(u"See all certifications"))
        return {};
    return certificate;
}

void addCertificate(TitlePage &page, TitleRecord &record)
{
    if (record.isEmpty(recordkey::rated)) {
        // The structured data's rating is taken as the site gives it.
        const Text contentRating = page.structuredText(u"contentRating"_qs);
        if (contentRating.isNotEmpty())
            record.set(recordkey::rated, contentRating);
        else
            record.set(recordkey::rated, pageCertificate(page));
    }
    page.scanner.rewind();
}

} // namespace

void addClassification(TitlePage &page, TitleRecord &record)
{
    addGenres(page, record);
    addCertificate(page, record);
}

} // namespace details
