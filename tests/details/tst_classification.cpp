// Genres and certificate: structured data, older blocks, "TV Movie", and saved pages.

#include "details/Classification.h"
#include "details/TitleRecord.h"
#include "tests/details/TitleTestPages.h"

class ClassificationTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void genres_data();
    void genres();
    void genresAlreadyKnownGainTVMovie();
    void certificate_data();
    void certificate();
    void certificateAlreadyKnownIsKept();
    void savedPages_data();
    void savedPages();
};

namespace {

const QString genreLinks =
    u"<h4 class=\"inline\">Genres:</h4>\n<a href=\"/search/title?genres=drama&ref_=x\"> "
    "Drama</a>&nbsp;<span>|</span>\n<a href=\"/search/title?genres=crime&ref_=x\"> Crime</a>\n"
    "</div>"_qs;
const QString genreList =
    u"<li data-testid=\"storyline-genres\"><span>Genres</span><div><ul><li class=\"i\"><a "
    "href=\"/g?genres=War\">War</a></li><li class=\"i\"><a href=\"/g\">History</a></li></ul>"
    "</div></li>"_qs;

} // namespace

void ClassificationTest::genres_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QVariant>("genre"); // invalid: absent

    QTest::newRow("structured text")
        << withStructuredData(u"{\"genre\": \"Drama\"}"_qs) << QVariant(u"Drama"_qs);
    QTest::newRow("structured before links")
        << withStructuredData(u"{\"genre\": \"Drama\"}"_qs, genreLinks) << QVariant(u"Drama"_qs);
    // The link parameters as they stand.
    QTest::newRow("links") << genreLinks << QVariant(u"drama, crime"_qs);
    QTest::newRow("structured number, links")
        << withStructuredData(u"{\"genre\": 7}"_qs, genreLinks) << QVariant(u"drama, crime"_qs);
    QTest::newRow("structured list of numbers, links")
        << withStructuredData(u"{\"genre\": [\"Drama\", 7]}"_qs, genreLinks)
        << QVariant(u"drama, crime"_qs);
    QTest::newRow("structured empty list, links")
        << withStructuredData(u"{\"genre\": []}"_qs, genreLinks) << QVariant(u"drama, crime"_qs);
    QTest::newRow("link with a question mark")
        << u">Genres:</h4><a href=\"/s?genres=Crime?x&ref\">Crime</a></div>"_qs
        << QVariant(u"Crime"_qs);
    // Only the links of the genres block count.
    QTest::newRow("links after the block")
        << u">Genres:</h4><a href=\"/genre/Drama\">Drama</a></div><a href=\"?genres=x&\">x</a>"_qs
        << QVariant();
    QTest::newRow("list") << genreList << QVariant(u"War, History"_qs);
    QTest::newRow("links before list")
        << QString(genreLinks + genreList) << QVariant(u"drama, crime"_qs);
    QTest::newRow("TV movie with structured genres")
        << withStructuredData(u"{\"genre\": [\"Drama\"]}"_qs, u"<title>X (TV Movie 2001)"_qs)
        << QVariant(u"Drama, TV Movie"_qs);
    QTest::newRow("TV movie alone")
        << u"<title>X (TV Movie 2001)</title>"_qs << QVariant(u"TV Movie"_qs);
    // "TV Movie" goes in before the list is tried, so the list is not read.
    QTest::newRow("TV movie and a list")
        << QString(u"<title>X (TV Movie 2001)</title>"_qs + genreList) << QVariant(u"TV Movie"_qs);
    QTest::newRow("TV movie needs its space") << u"<title>X (TV Movie)</title>"_qs << QVariant();
    QTest::newRow("nothing") << u"<p>Genre: none</p>"_qs << QVariant();
}

void ClassificationTest::genres()
{
    QFETCH(QString, html);
    QFETCH(QVariant, genre);
    TitlePage page = titlePageFromText(html);
    TitleRecord record;
    details::addClassification(page, record);
    QCOMPARE(record.contains(recordkey::genre), genre.isValid());
    QCOMPARE(record.value(recordkey::genre), genre);
}

// The legacy parser's genres stay, and a TV film still gains "TV Movie".
void ClassificationTest::genresAlreadyKnownGainTVMovie()
{
    TitlePage page = titlePageFromText(
        withStructuredData(u"{\"genre\": \"Drama\"}"_qs, u"<title>X (TV Movie 1999)</title>"_qs));
    TitleRecord record;
    record.set(recordkey::genre, u"Action, Crime"_qs);
    details::addClassification(page, record);
    QCOMPARE(record.value(recordkey::genre), QVariant(u"Action, Crime, TV Movie"_qs));
}

void ClassificationTest::certificate_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QVariant>("rated"); // invalid: absent

    const QString mpaa = u"<h4><a href=\"/mpaa\">MPAA</a>)\n</h4>\n<span>%1</span>\n"
                         "<span class=\"ghost\">|</span> <a href=\"/c\">See all "
                         "certifications</a>"_qs;
    const QString certificate = u"<h4 class=\"inline\">Certificate:</h4>\n%1\n</div>"_qs;

    QTest::newRow("structured, not normalised")
        << withStructuredData(u"{\"contentRating\": \"Rated PG for &amp;\"}"_qs,
                              mpaa.arg(u"Rated R for violence"_qs))
        << QVariant(u"Rated PG for &amp;"_qs);
    QTest::newRow("structured of another type, MPAA line")
        << withStructuredData(u"{\"contentRating\": 13}"_qs, mpaa.arg(u"Rated R for violence"_qs))
        << QVariant(u"R"_qs);
    QTest::newRow("no label, cleaned")
        << mpaa.arg(u"Not &amp; Rated"_qs) << QVariant(u"Not & Rated"_qs);
    QTest::newRow("NR without a space") << mpaa.arg(u"Rated NR"_qs) << QVariant(u"Rated NR"_qs);
    // The certificate row is not normalised.
    QTest::newRow("certificate row as it stands")
        << certificate.arg(u"<span>Rated R for violence</span>"_qs)
        << QVariant(u"Rated R for violence"_qs);
    QTest::newRow("certificate row with the list link only")
        << certificate.arg(u"<span class=\"see-more\">\n<a href=\"/c\"> See all "
                           "certifications</a>&nbsp;&raquo;</span>"_qs)
        << QVariant();
    QTest::newRow("MPAA line before certificate row")
        << QString(mpaa.arg(u"Rated PG for x"_qs) + certificate.arg(u"<span>R</span>"_qs))
        << QVariant(u"PG"_qs);
    QTest::newRow("nothing") << u"<p>Rated R for violence</p>"_qs << QVariant();
}

void ClassificationTest::certificate()
{
    QFETCH(QString, html);
    QFETCH(QVariant, rated);
    TitlePage page = titlePageFromText(html);
    page.scanner.setPosition(html.size() / 2);
    TitleRecord record;
    details::addClassification(page, record);
    QCOMPARE(record.contains(recordkey::rated), rated.isValid());
    QCOMPARE(record.value(recordkey::rated), rated);
    // The production details read the page from the top.
    QCOMPARE(page.scanner.position(), 0);
}

void ClassificationTest::certificateAlreadyKnownIsKept()
{
    TitlePage page = titlePageFromText(withStructuredData(u"{\"contentRating\": \"R\"}"_qs));
    TitleRecord record;
    record.set(recordkey::rated, u"PG"_qs);
    details::addClassification(page, record);
    QCOMPARE(record.value(recordkey::rated), QVariant(u"PG"_qs));
    QCOMPARE(page.scanner.position(), 0);
}

void ClassificationTest::savedPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QVariant>("genre");
    QTest::addColumn<QVariant>("rated");

    QTest::newRow("Star Wars 2022")
        << u"title-2020s/star-wars-tt0076759-2022-03.html"_qs
        << QVariant(u"Action, Adventure, Fantasy"_qs) << QVariant(u"PG"_qs);
    QTest::newRow("Da Vinci Code 2022")
        << u"title-2020s/da-vinci-code-2022-03.html"_qs << QVariant(u"Mystery, Thriller"_qs)
        << QVariant(u"PG-13"_qs);
    QTest::newRow("War for the Planet 2022")
        << u"title-2020s/war-for-the-planet-of-the-apes-2022-03.html"_qs
        << QVariant(u"Action, Adventure, Drama"_qs) << QVariant(u"PG-13"_qs);
    QTest::newRow("Archer 2022") << u"title-2020s/archer-tt1486217-series-2022.html"_qs
                                 << QVariant(u"Animation, Action, Comedy"_qs)
                                 << QVariant(u"TV-MA"_qs);
    QTest::newRow("Shawshank 2018") << u"title-2010s/shawshank-redemption-tt0111161-2018-08.html"_qs
                                    << QVariant(u"Drama"_qs) << QVariant(u"R"_qs);
    QTest::newRow("War for the Planet 2021")
        << u"title-2010s/war-for-the-planet-of-the-apes-2021-04.html"_qs
        << QVariant(u"Action, Adventure, Drama, Sci-Fi, Thriller"_qs) << QVariant(u"PG-13"_qs);
    QTest::newRow("Boys State 2020") << u"title-2010s/boys-state-2020-12.html"_qs
                                     << QVariant(u"Documentary"_qs) << QVariant(u"PG-13"_qs);
    // No structured data, and genre links ("/genre/Action") without a "genres=" parameter:
    // no genres. The certificate comes from the rating line after the "MPAA" link.
    QTest::newRow("Matrix 2014") << u"title-2010s/matrix-tt0133093-2014-06.html"_qs << QVariant()
                                 << QVariant(u"R"_qs);
    // The certificate row.
    QTest::newRow("Die Hard 2017")
        << u"title-2010s/die-hard-tt0095016-2017-03.html"_qs << QVariant() << QVariant(u"R"_qs);
    // A TV film whose certificate row holds only the link to every country's certificate.
    QTest::newRow("Crociati 2014") << u"title-2010s/crociati-tt0284717-tvmovie-2014-06.html"_qs
                                   << QVariant(u"TV Movie"_qs) << QVariant();
}

void ClassificationTest::savedPages()
{
    QFETCH(QString, file);
    QFETCH(QVariant, genre);
    QFETCH(QVariant, rated);
    TitlePage page = savedTitlePage(file);
    TitleRecord record;
    details::addClassification(page, record);
    QCOMPARE(record.value(recordkey::genre), genre);
    QCOMPARE(record.value(recordkey::rated), rated);
}

IMDB_TEST_MAIN(ClassificationTest)
#include "tst_classification.moc"
