// The year, title, original title and series/season/episode, from hand-written pages.

#include "details/TitleRecord.h"
#include "details/Titles.h"
#include "tests/details/TitleTestPages.h"

#include <QDate>

class TitlesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void theatricalYear_data();
    void theatricalYear();
    void titles_data();
    void titles();
    void series_data();
    void series();
};

void TitlesTest::theatricalYear_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QVariant>("before");
    QTest::addColumn<QVariant>("theatrical");

    const QString yearLink =
        u"<a href=\"/title/tt1/releaseinfo?ref_=tt_ov_rdat\" class=\"l\">%1</a>"_qs;
    QTest::newRow("structured year") << withStructuredData(u"{\"dateCreated\": \"2017\"}"_qs)
                                     << QVariant() << QVariant(QDate(2017, 1, 1));
    QTest::newRow("year link") << yearLink.arg(u"1994"_qs) << QVariant()
                               << QVariant(QDate(1994, 1, 1));
    QTest::newRow("structured year before the link")
        << withStructuredData(u"{\"dateCreated\": \"2017\"}"_qs, yearLink.arg(u"1999"_qs))
        << QVariant() << QVariant(QDate(2017, 1, 1));
    // A structured value that is there but is not a year ends the step: the link is not
    // tried.
    QTest::newRow("structured full date is not a year")
        << withStructuredData(u"{\"dateCreated\": \"2017-07-14\"}"_qs, yearLink.arg(u"1999"_qs))
        << QVariant() << QVariant();
    QTest::newRow("structured number counts as absent")
        << withStructuredData(u"{\"dateCreated\": 2017}"_qs, yearLink.arg(u"1999"_qs)) << QVariant()
        << QVariant(QDate(1999, 1, 1));
    QTest::newRow("span of years") << yearLink.arg(u"2009– "_qs) << QVariant() << QVariant();
    QTest::newRow("three digits") << yearLink.arg(u"199"_qs) << QVariant() << QVariant();
    QTest::newRow("five digits") << yearLink.arg(u"19945"_qs) << QVariant() << QVariant();
    QTest::newRow("white space around") << yearLink.arg(u" 1994"_qs) << QVariant() << QVariant();
    QTest::newRow("year zero") << yearLink.arg(u"0000"_qs) << QVariant() << QVariant();
    QTest::newRow("no year anywhere") << u"<p>1994</p>"_qs << QVariant() << QVariant();
    QTest::newRow("legacy date kept")
        << yearLink.arg(u"1994"_qs) << QVariant(QDate(1993, 5, 2)) << QVariant(QDate(1993, 5, 2));
}

void TitlesTest::theatricalYear()
{
    QFETCH(QString, html);
    QFETCH(QVariant, before);
    QFETCH(QVariant, theatrical);
    TitlePage page = titlePageFromText(html);
    TitleRecord record;
    record.set(recordkey::theatrical, before);
    details::addTheatricalYear(page, record);
    QCOMPARE(record.value(recordkey::theatrical), theatrical);
}

void TitlesTest::titles_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("searched"); // null: the user searched with no title
    QTest::addColumn<QString>("titleBefore");
    QTest::addColumn<QString>("originalBefore");
    QTest::addColumn<QString>("title"); // null: absent
    QTest::addColumn<QString>("original");

    const QString none;
    QTest::newRow("parenthesis inside the title stays")
        << u"<title>Birdman (or The Unexpected Virtue of Ignorance) (2014) - IMDb</title>"_qs
        << none << none << none << u"Birdman (or The Unexpected Virtue of Ignorance)"_qs << none;
    QTest::newRow("site name without a year") << u"<title>Some Title - IMDb</title>"_qs << none
                                              << none << none << u"Some Title"_qs << none;
    QTest::newRow("searched with another text keeps the page title")
        << u"<title>The Matrix (1999) - IMDb</title>"_qs << u"Matrix"_qs << none << none
        << u"The Matrix"_qs << u"The Matrix"_qs;
    QTest::newRow("searched with the page title")
        << u"<title>The Matrix (1999) - IMDb</title>"_qs << u"The Matrix"_qs << none << none
        << u"The Matrix"_qs << none;
    QTest::newRow("marked original title")
        << u"<title>Leon: The Professional (1994) - IMDb</title>"
           "<div class=\"originalTitle\">L&eacute;on<span> (original title)</span></div>"_qs
        << none << none << none << u"Leon: The Professional"_qs << u"Léon"_qs;
    QTest::newRow("marked original title in quotation marks")
        << u"<title>The Boat (1981) - IMDb</title>"
           "<div class=\"originalTitle\">&quot;Das Boot&quot;<span></span></div>"_qs
        << none << none << none << u"The Boat"_qs << u"Das Boot"_qs;
    QTest::newRow("lone quotation mark is no original title")
        << u"<title>The Boat (1981) - IMDb</title><div class=\"originalTitle\">&quot;<i></i>"_qs
        << u"Boat"_qs << none << none << u"The Boat"_qs << u"The Boat"_qs;
    QTest::newRow("searched with the original title")
        << u"<title>House (TV Series 2004–2012) - IMDb</title><div data-testid=\"hero-title-"
           "block__original-title\" class=\"o\">Original title: House M.D.</div>"_qs
        << u"House M.D."_qs << none << none << u"House"_qs << none;
    QTest::newRow("original-title line repeating the title")
        << u"<title>House (2004) - IMDb</title><div data-testid=\"hero-title-"
           "block__original-title\">Original title: House</div>"_qs
        << none << none << none << u"House"_qs << none;
    QTest::newRow("structured names differ")
        << withStructuredData(u"{\"name\": \"Le Fabuleux Destin d'Am&eacute;lie Poulain\", "
                              "\"alternateName\": \"Amelie\"}"_qs,
                              u"<title>Le Fabuleux Destin (2001) - IMDb</title>"_qs)
        << none << none << none << u"Amelie"_qs << u"Le Fabuleux Destin d'Amélie Poulain"_qs;
    QTest::newRow("structured names equal")
        << withStructuredData(u"{\"name\": \"Amelie\", \"alternateName\": \"Amelie\"}"_qs,
                              u"<title>Amélie (2001) - IMDb</title>"_qs)
        << u"Amelie"_qs << none << none << u"Amélie"_qs << u"Amélie"_qs;
    QTest::newRow("structured alternate name of the wrong type")
        << withStructuredData(u"{\"name\": \"Amelie\", \"alternateName\": [\"A\"]}"_qs,
                              u"<title>Amélie (2001) - IMDb</title>"_qs)
        << none << none << none << u"Amélie"_qs << none;
    QTest::newRow("legacy title kept, site name dropped")
        << u"<title>Other (1999) - IMDb</title>"_qs << none << u"Legacy - IMDb"_qs << none
        << u"Legacy"_qs << none;
    QTest::newRow("legacy original title kept")
        << u"<title>Other (1999) - IMDb</title><div class=\"originalTitle\">Page</div>"_qs << none
        << u"Legacy"_qs << u"Legacy Original"_qs << u"Legacy"_qs << u"Legacy Original"_qs;
    QTest::newRow("empty legacy title replaced") << u"<title>Other (1999) - IMDb</title>"_qs << none
                                                 << u""_qs << none << u"Other"_qs << none;
    QTest::newRow("only an original title") << u"<div class=\"originalTitle\">L&eacute;on</div>"_qs
                                            << none << none << none << u"Léon"_qs << none;
    QTest::newRow("nothing at all")
        << u"<p>no title</p>"_qs << none << none << none << none << none;
}

void TitlesTest::titles()
{
    QFETCH(QString, html);
    QFETCH(QString, searched);
    QFETCH(QString, titleBefore);
    QFETCH(QString, originalBefore);
    QFETCH(QString, title);
    QFETCH(QString, original);

    const Text searchedTitle = searched.isNull() ? Text() : Text(searched);
    TitlePage page = titlePageFromText(html, nullptr, searchedTitle);
    TitleRecord record;
    if (!titleBefore.isNull())
        record.set(recordkey::title, titleBefore);
    if (!originalBefore.isNull())
        record.set(recordkey::originalTitle, originalBefore);
    details::addTitles(page, record);

    QCOMPARE(record.contains(recordkey::title), !title.isNull());
    QCOMPARE(record.text(recordkey::title).string(), title);
    QCOMPARE(record.contains(recordkey::originalTitle), !original.isNull());
    QCOMPARE(record.text(recordkey::originalTitle).string(), original);
}

void TitlesTest::series_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("series"); // null: absent
    QTest::addColumn<QVariant>("season");
    QTest::addColumn<QVariant>("episode");

    const QString none;
    const QString episodeTitle =
        u"<title>&quot;Show&quot; Pilot (TV Episode 2011) - IMDb</title>"_qs;
    const QString header = u"<h2 class=\"tv_header\"><a href=\"/title/tt1/\">Show &amp; Co</a>: "
                           "<span class=\"nobr\">Season 2, Episode 5</span></h2>"_qs;
    const QString parent = u"<div class=\"titleParentWrapper\">\n<div class=\"titleParent\">\n"
                           "<a href=\"/title/tt1/\" title=\"Parent\">Parent</a>\n</div>"_qs;
    const QString heading = u"<div class=\"bp_heading\">%1</div>"_qs;

    QTest::newRow("mini-series") << u"<title>Show (TV Mini-Series 2013) - IMDb</title>"_qs
                                 << u"The Title"_qs << QVariant() << QVariant();
    QTest::newRow("mini series without the hyphen is not one")
        << u"<title>Show (TV Mini Series 2013) - IMDb</title>"_qs << none << QVariant()
        << QVariant();
    QTest::newRow("series marker wins over the episode one")
        << u"(TV Series 2004) (TV Episode 2005)"_qs + header +
               heading.arg(u"Season 2 <span>|</span> Episode 5"_qs)
        << u"The Title"_qs << QVariant() << QVariant();
    QTest::newRow("episode with series header")
        << episodeTitle + header + heading.arg(u"Season 2 <span>|</span> Episode 5"_qs)
        << u"Show & Co"_qs << QVariant(qint64(2)) << QVariant(qint64(5));
    QTest::newRow("series header before parent link")
        << episodeTitle + parent + header << u"Show & Co"_qs << QVariant() << QVariant();
    QTest::newRow("episode heading without a season")
        << episodeTitle + parent + heading.arg(u"Episode 5"_qs) << u"Parent"_qs << QVariant()
        << QVariant();
    QTest::newRow("season zero stores neither")
        << episodeTitle + heading.arg(u"Season 0 <span>|</span> Episode 5"_qs) << none << QVariant()
        << QVariant();
    QTest::newRow("season in words stores neither")
        << episodeTitle + heading.arg(u"Season Finale <span>|</span> Episode 5"_qs) << none
        << QVariant() << QVariant();
    QTest::newRow("season without an episode")
        << episodeTitle + heading.arg(u"Season 3"_qs) << none << QVariant(qint64(3)) << QVariant();
    QTest::newRow("episode zero") << episodeTitle +
                                         heading.arg(u"Season 3 <span>|</span> Episode 0"_qs)
                                  << none << QVariant(qint64(3)) << QVariant();
    QTest::newRow("heading of a page that is no episode")
        << u"<title>Film (2001) - IMDb</title>"_qs + heading.arg(u"Season 2 Episode 5"_qs) << none
        << QVariant() << QVariant();
}

void TitlesTest::series()
{
    QFETCH(QString, html);
    QFETCH(QString, series);
    QFETCH(QVariant, season);
    QFETCH(QVariant, episode);

    TitlePage page = titlePageFromText(html);
    TitleRecord record;
    record.set(recordkey::title, u"The Title"_qs);
    details::addSeries(page, record);

    QCOMPARE(record.contains(recordkey::series), !series.isNull());
    QCOMPARE(record.text(recordkey::series).string(), series);
    QCOMPARE(record.value(recordkey::season), season);
    QCOMPARE(record.value(recordkey::episode), episode);
}

IMDB_TEST_MAIN(TitlesTest)
#include "tst_titles.moc"
