// Cover images: the preview picture, its large variant, the logo swap, the structured picture.

#include "details/Images.h"
#include "details/TitleRecord.h"
#include "tests/details/TitleTestPages.h"

class ImagesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void coverImages_data();
    void coverImages();
    void legacyAddressesStayBehindTheNewFrontEntry();
};

void ImagesTest::coverImages_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QStringList>("images");

    const QString poster = QStringLiteral("https://img.test/M/abc@._V1_UY1200_CR90,0,630_AL_.jpg");
    const QString posterLarge = QStringLiteral("https://img.test/M/abc@._V1._S800_SY800_.jpg");

    QTest::newRow("image source link with a size suffix")
        << u"<link rel='image_src' href=\"%1\"><meta property='og:image' content=\"x\" />"_qs.arg(
               poster)
        << QStringList{posterLarge, poster, poster};
    QTest::newRow("link on its own line")
        << u"<link rel='image_src'\n\t\t  href=\"%1\">"_qs.arg(poster)
        << QStringList{posterLarge, poster, poster};
    QTest::newRow("no size mark: two equal entries")
        << u"<link rel='image_src' href=\"https://img.test/plain.jpg\">"_qs
        << QStringList{u"https://img.test/plain.jpg"_qs, u"https://img.test/plain.jpg"_qs};
    QTest::newRow("sharing preview when there is no link")
        << u"<meta property='og:image' content=\"%1\" />"_qs.arg(poster)
        << QStringList{posterLarge, poster, poster};
    QTest::newRow("cut after the first mark only")
        << u"<meta property='og:image' content=\"https://img.test/a._V1_x._V1_y.jpg\" />"_qs
        << QStringList{u"https://img.test/a._V1._S800_SY800_.jpg"_qs,
                       u"https://img.test/a._V1_x._V1_y.jpg"_qs,
                       u"https://img.test/a._V1_x._V1_y.jpg"_qs};
    QTest::newRow("logo swapped for the poster beside the plot")
        << u"<meta property='og:image' content=\"https://img.test/G/imdb_fb_logo._V1_.png\" />"
           "<div class=\"minPosterWithPlotSummaryHeight\"><div class=\"poster\"><a href=\"/m\">"
           "<img alt=\"P\"\nsrc=\"%1\" itemprop=\"image\" /></a></div></div>"_qs.arg(poster)
        << QStringList{posterLarge, u"https://img.test/G/imdb_fb_logo._V1_.png"_qs, poster};
    QTest::newRow("logo without a poster and without a size mark")
        << u"<link rel='image_src' href=\"https://img.test/imdb_fb_logo.png\">"_qs
        << QStringList{u"https://img.test/imdb_fb_logo.png"_qs,
                       u"https://img.test/imdb_fb_logo.png"_qs};
    QTest::newRow("logo without a poster, with a size mark")
        << u"<link rel='image_src' href=\"https://img.test/imdb_fb_logo._V1_.png\">"_qs
        << QStringList{u"https://img.test/imdb_fb_logo._V1._S800_SY800_.jpg"_qs,
                       u"https://img.test/imdb_fb_logo._V1_.png"_qs,
                       u"https://img.test/imdb_fb_logo._V1_.png"_qs};
    QTest::newRow("structured picture only, taken as it is")
        << withStructuredData(u"{\"image\": \"%1\"}"_qs.arg(poster)) << QStringList{poster};
    QTest::newRow("markup wins over the structured picture")
        << withStructuredData(u"{\"image\": \"https://img.test/ld.jpg\"}"_qs,
                              u"<link rel='image_src' href=\"https://img.test/p.jpg\">"_qs)
        << QStringList{u"https://img.test/p.jpg"_qs, u"https://img.test/p.jpg"_qs};
    QTest::newRow("structured picture that is an object")
        << withStructuredData(u"{\"image\": {\"url\": \"https://img.test/ld.jpg\"}}"_qs)
        << QStringList{};
    QTest::newRow("structured data that is a list")
        << withStructuredData(u"[{\"image\": \"https://img.test/ld.jpg\"}]"_qs) << QStringList{};
    QTest::newRow("structured data that is not JSON")
        << withStructuredData(u"{\"image\": \"https://img.test/ld.jpg\""_qs) << QStringList{};
    // The site's newer markup quotes the relation in double quotation marks; only the single
    // quotation mark is the marker.
    QTest::newRow("double-quoted relations are not read")
        << u"<link rel=\"image_src\" href=\"https://img.test/a.jpg\">"
           "<meta property=\"og:image\" content=\"https://img.test/b.jpg\"/>"_qs
        << QStringList{};
    QTest::newRow("no picture anywhere")
        << u"<html><body>nothing</body></html>"_qs << QStringList{};
}

void ImagesTest::coverImages()
{
    QFETCH(QString, html);
    QFETCH(QStringList, images);
    TitlePage page = titlePageFromText(html);
    page.scanner.setPosition(10);
    TitleRecord record;
    record.setImageLocations({});
    details::addCoverImages(page, record);
    QCOMPARE(record.imageLocations(), images);
    QCOMPARE(page.scanner.position(), 0);
}

void ImagesTest::legacyAddressesStayBehindTheNewFrontEntry()
{
    TitlePage page =
        titlePageFromText(u"<link rel='image_src' href=\"https://img.test/n._V1_SX300.jpg\">"_qs);
    TitleRecord record;
    record.setImageLocations(
        {u"https://img.test/legacy-large.jpg"_qs, u"https://img.test/legacy.jpg"_qs});
    details::addCoverImages(page, record);
    QCOMPARE(record.imageLocations(),
             (QStringList{u"https://img.test/n._V1._S800_SY800_.jpg"_qs,
                          u"https://img.test/legacy-large.jpg"_qs,
                          u"https://img.test/legacy.jpg"_qs, u"https://img.test/n._V1_SX300.jpg"_qs,
                          u"https://img.test/n._V1_SX300.jpg"_qs}));
}

IMDB_TEST_MAIN(ImagesTest)
#include "tst_images.moc"
