// The legacy parser: hand-written sections, saved older pages, the plot-summary page, cut pages.

#include "core/IMDB.h"
#include "details/LegacyPage.h"
#include "details/RetailerImages.h"
#include "details/TitleRecord.h"
#include "platform/TextEncoding.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"
#include "tests/support/TestMain.h"
#include "tests/support/TestSite.h"

#include <QDate>
#include <QElapsedTimer>

class LegacyTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void poster_data();
    void poster();
    void titlesAndDates_data();
    void titlesAndDates();
    void ratingAndVotes_data();
    void ratingAndVotes();
    void ownVote_data();
    void ownVote();
    void sections_data();
    void sections();
    void valuesAreWrittenOver();
    void savedPages_data();
    void savedPages();
    void savedPageCast();
    void plotSummaryRequest();
    void plotSummaryPage_data();
    void plotSummaryPage();
    void suppliedPlotSummaryPage_data();
    void suppliedPlotSummaryPage();
    void pagesCutOffAnywhere();
    void pageCutOffMidSection();
    void lookupOfAnOlderPage();
    void retailerImages();

private:
    TitleRecord parse(const QString &html, const QString &number = u"0000001"_qs);
    void routePlotSummary(const QString &number, const QString &file);

    TestHost m_host;
    TestSite m_site{testData(u""_qs)};
};

namespace {

QString info(const QString &label, const QString &content)
{
    return u"<div class=\"info\">\n<h5>"_qs + label + u"</h5>\n<div class=\"info-content\">\n"_qs +
           content + u"\n</div>\n</div>\n"_qs;
}

QString heading(const QString &title, const QString &year = u"1994"_qs)
{
    return u"<div id=\"tn15title\">\n<h1>"_qs + title + u" <span>(<a href=\"/year/"_qs + year +
           u"/\">"_qs + year + u"</a>)</span></h1>\n</div>\n"_qs;
}

QString ratingBlock(const QString &block, const QString &rating, const QString &votes)
{
    return u"<div class=\""_qs + block + u"\">\n<b>"_qs + rating +
           u"</b>\n&nbsp;&nbsp;<a href=\"ratings\" class=\"tn15more\">"_qs + votes +
           u" votes</a>\n</div>\n"_qs;
}

QString savedPage(const QString &file)
{
    return platform::decodeUtf8OrLatin1(readTestData(file));
}

} // namespace

void LegacyTest::initTestCase()
{
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void LegacyTest::init()
{
    for (const QString &key : prefs::allKeys())
        platform::UserDefaults::removeObject(key);
    m_host.setCustomFields({});
    m_site.clearRequests();
}

TitleRecord LegacyTest::parse(const QString &html, const QString &number)
{
    TitleRecord record;
    record.setImageLocations({});
    details::oldIMDBParsingStyle(html, number, record, &m_host);
    return record;
}

void LegacyTest::routePlotSummary(const QString &number, const QString &file)
{
    TestSite::Route route;
    route.target = u"/title/tt"_qs + number + u"/plotsummary"_qs;
    route.file = file;
    m_site.addRoute(route);
}

void LegacyTest::poster_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QStringList>("images");

    // The poster goes at the end of the list, its enlarged copy in front.
    const QString earlier = u"earlier"_qs;
    const QString posterHost = u"http://ia.media-imdb.com/images/M/"_qs;
    QTest::newRow("height only") << posterHost + u"a._V1._SY140_.jpg"_qs
                                 << QStringList{earlier, posterHost + u"a._V1._SY140_.jpg"_qs};
    // Nothing follows the width to end it: the copy stays as it was and still goes in front.
    QTest::newRow("width at the end")
        << posterHost + u"a_SX94.jpg"_qs
        << QStringList{posterHost + u"a_SX94.jpg"_qs, earlier, posterHost + u"a_SX94.jpg"_qs};
    QTest::newRow("media folder on another host")
        << u"http://ia.example.org/media/a_SX50_.jpg"_qs
        << QStringList{u"http://ia.example.org/media/a_SX1000_.jpg"_qs, earlier,
                       u"http://ia.example.org/media/a_SX50_.jpg"_qs};
    QTest::newRow("another host") << u"http://ia.example.org/images/a_SX50_.jpg"_qs
                                  << QStringList{earlier};
    QTest::newRow("secure address")
        << u"https://ia.media-imdb.com/images/a_SX50_.jpg"_qs << QStringList{earlier};
}

void LegacyTest::poster()
{
    QFETCH(QString, url);
    QFETCH(QStringList, images);
    const QString html = u"<a name=\"poster\" href=\"/rg/x\" title=\"T\"><img border=\"0\" "
                         "src=\""_qs +
                         url + u"\" /></a>\n"_qs + heading(u"Title"_qs);
    TitleRecord record;
    record.setImageLocations({u"earlier"_qs});
    details::oldIMDBParsingStyle(html, u"0000001"_qs, record, &m_host);
    QCOMPARE(record.imageLocations(), images);
    // The heading is read whether or not the poster was.
    QCOMPARE(record.value(recordkey::title), QVariant(u"Title"_qs));
}

void LegacyTest::titlesAndDates_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QVariant>("title");
    QTest::addColumn<QVariant>("originalTitle");
    QTest::addColumn<QVariant>("theatrical");

    const QString releaseDate =
        info(u"Release Date:"_qs, u"%1 <a class=\"tn15more\" href=\"/r\">more</a>"_qs);
    // A series' heading stands in quotation marks.
    QTest::newRow("quoted heading")
        << heading(u"&#x22;Lost&#x22;"_qs, u"2004"_qs) << QVariant(u"Lost"_qs)
        << QVariant(u"Lost"_qs) << QVariant(QDate(2004, 1, 1));
    QTest::newRow("one quotation mark kept")
        << heading(u"\"Lost"_qs) << QVariant(u"\"Lost"_qs) << QVariant(u"\"Lost"_qs)
        << QVariant(QDate(1994, 1, 1));
    QTest::newRow("release date of another year")
        << QString(heading(u"Pulp Fiction"_qs) + releaseDate.arg(u"2 March 1995 (USA)"_qs))
        << QVariant(u"Pulp Fiction"_qs) << QVariant(u"Pulp Fiction"_qs)
        << QVariant(QDate(1994, 1, 1));
    QTest::newRow("release date that is no date")
        << QString(heading(u"Troy"_qs) + releaseDate.arg(u"Summer (USA)"_qs))
        << QVariant(u"Troy"_qs) << QVariant(u"Troy"_qs) << QVariant(QDate(1994, 1, 1));
    QTest::newRow("original title")
        << u"<div id=\"tn15title\"><h1>The Intouchables <span>(<a href=\"/year/2011/\">2011</a>) "
           "<span class=\"title-extra\">Intouchables <i>(original title)</i></span></span></h1>"
           "</div>"_qs
        << QVariant(u"The Intouchables"_qs) << QVariant(u"Intouchables"_qs)
        << QVariant(QDate(2011, 1, 1));
    QTest::newRow("no heading") << u"<h1>Loose heading</h1>"_qs << QVariant() << QVariant()
                                << QVariant();
}

void LegacyTest::titlesAndDates()
{
    QFETCH(QString, html);
    QFETCH(QVariant, title);
    QFETCH(QVariant, originalTitle);
    QFETCH(QVariant, theatrical);
    const TitleRecord record = parse(html);
    QCOMPARE(record.value(recordkey::title), title);
    QCOMPARE(record.value(recordkey::originalTitle), originalTitle);
    QCOMPARE(record.value(recordkey::theatrical), theatrical);
}

void LegacyTest::ratingAndVotes_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("votesField");
    QTest::addColumn<QVariant>("rating");
    QTest::addColumn<QVariant>("votes"); // in the "IMDb Votes" field

    const QString starbar = ratingBlock(u"starbar-meta"_qs, u"7.5/10"_qs, u"12,345"_qs);
    QTest::newRow("votes in their field")
        << starbar << true << QVariant(u"7.5"_qs) << QVariant(u"12,345"_qs);
    QTest::newRow("starbar before general rating")
        << QString(starbar + ratingBlock(u"general rating"_qs, u"8.3/10"_qs, u"1"_qs)) << false
        << QVariant(u"7.5 (12,345 votes)"_qs) << QVariant();
    QTest::newRow("no rating") << ratingBlock(u"starbar-meta"_qs, u"0.0/10"_qs, u"12"_qs) << true
                               << QVariant() << QVariant();
    QTest::newRow("no votes") << ratingBlock(u"starbar-meta"_qs, u"6.1/10"_qs, u"0"_qs) << false
                              << QVariant(u"6.1"_qs) << QVariant();
    QTest::newRow("no votes, field untouched")
        << ratingBlock(u"starbar-meta"_qs, u"6.1/10"_qs, u"0"_qs) << true << QVariant(u"6.1"_qs)
        << QVariant();
    QTest::newRow("no rating block") << u"<b>7.5/10</b>"_qs << false << QVariant() << QVariant();
}

void LegacyTest::ratingAndVotes()
{
    QFETCH(QString, html);
    QFETCH(bool, votesField);
    QFETCH(QVariant, rating);
    QFETCH(QVariant, votes);
    if (votesField)
        m_host.setCustomFields({{u"IMDb Votes"_qs, u"votesKey"_qs}});
    const TitleRecord record = parse(html);
    QCOMPARE(record.value(recordkey::rating), rating);
    QCOMPARE(record.value(u"votesKey"_qs), votes);
}

void LegacyTest::ownVote_data()
{
    QTest::addColumn<QString>("vote");
    QTest::addColumn<bool>("disabled");
    QTest::addColumn<QVariant>("myRating");

    QTest::newRow("a vote") << u"8"_qs << false << QVariant(uint(8));
    QTest::newRow("disabled") << u"8"_qs << true << QVariant();
    QTest::newRow("no vote yet") << QString() << false << QVariant();
    // A vote the record cannot hold as one to ten stars is no vote.
    QTest::newRow("negative") << u"-3"_qs << false << QVariant();
}

void LegacyTest::ownVote()
{
    QFETCH(QString, vote);
    QFETCH(bool, disabled);
    QFETCH(QVariant, myRating);
    if (disabled)
        platform::UserDefaults::setBool(prefs::disablePersonalRating, true);
    const TitleRecord record = parse(u"<div class=\"extra\"><b><span id=\"voteuser\">"_qs + vote +
                                     u"</span>/10</b></div>"_qs);
    QCOMPARE(record.value(recordkey::myRating), myRating);
}

void LegacyTest::sections_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value"); // invalid: absent

    QTest::newRow("director without links")
        << u"<h5>Director:</h5>Alan Smithee</div>"_qs << recordkey::director << QVariant();
    QTest::newRow("genre links of another kind")
        << info(u"Genre:"_qs, u"<a href=\"/genre/Crime\">Crime</a>"_qs) << recordkey::genre
        << QVariant();
    QTest::newRow("certificate without a label")
        << info(u"<a href=\"/mpaa\">MPAA</a>:"_qs, u"Not &amp; Rated"_qs) << recordkey::rated
        << QVariant(u"Not & Rated"_qs);
    // The first number of the running time, even after a country.
    QTest::newRow("runtime") << info(u"Runtime:"_qs, u"USA:142 min | Germany:140 min"_qs)
                             << recordkey::duration << QVariant(u"142"_qs);
    QTest::newRow("runtime without digits")
        << info(u"Runtime:"_qs, u"unknown"_qs) << recordkey::duration << QVariant();
    QTest::newRow("runtime of nothing")
        << info(u"Runtime:"_qs, u"0 min"_qs) << recordkey::duration << QVariant();
    QTest::newRow("countries over lines")
        << info(u"Country:"_qs,
                u"<a href=\"/c/USA/\">\nUSA</a>\n | \n<a href=\"/c/Malta/\">\nMalta</a>"_qs)
        << recordkey::country << QVariant(u"USA, Malta"_qs);
    QTest::newRow("countries after a no-break space")
        << info(u"Country:"_qs, u"<a>USA</a>&nbsp;| <a>UK</a>"_qs) << recordkey::country
        << QVariant(u"USA, UK"_qs);
    QTest::newRow("sound mix") << info(u"Sound Mix:"_qs,
                                       u"<a href=\"/s?x=dolby\">Dolby Digital</a> | <a "
                                       "href=\"/s?x=dts\">DTS</a>"_qs)
                               << recordkey::sound << QVariant(u"Dolby Digital"_qs);
    // A tagline as plain text after its label is read as it stands, not as its "more" link.
    QTest::newRow("tagline as plain text")
        << u"<h5>Tagline:</h5>\nFor Honor <a class=\"tn15more inline\" href=\"/t\">more</a>\n</div>"_qs
        << recordkey::tagline << QVariant(u"For Honor"_qs);
    QTest::newRow("tagline in its box")
        << u"<h5>Tagline:</h5>\n<div class=\"info-content\">\nWhy So Serious? <a href=\"/t\" "
           "onClick=\"x';\">See more</a></div>"_qs
        << recordkey::tagline << QVariant(u"Why So Serious?"_qs);
    // After the running time the scanner goes on from there: a country section before it is
    // not seen.
    QTest::newRow("country before the running time")
        << QString(info(u"Country:"_qs, u"<a>USA</a>"_qs) + info(u"Runtime:"_qs, u"90 min"_qs))
        << recordkey::country << QVariant();
    // A missing section rewinds the scanner, so the next one is found wherever it stands.
    QTest::newRow("language before the running time, no country")
        << QString(info(u"Language:"_qs, u"<a>English</a>"_qs) + info(u"Runtime:"_qs, u"90 min"_qs))
        << recordkey::languages << QVariant(u"English"_qs);
}

void LegacyTest::sections()
{
    QFETCH(QString, html);
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    const TitleRecord record = parse(html);
    QCOMPARE(record.contains(key), value.isValid());
    QCOMPARE(record.value(key), value);
}

// The parser runs first and writes what it finds over the record; its cast list is always new.
void LegacyTest::valuesAreWrittenOver()
{
    TitleRecord record;
    record.set(recordkey::title, u"Old"_qs);
    record.set(recordkey::duration, u"1"_qs);
    record.set(recordkey::country, u"Nowhere"_qs);
    record.set(recordkey::credits, QVariantList{QVariantMap{{u"name"_qs, u"Earlier"_qs}}});
    details::oldIMDBParsingStyle(QString(heading(u"New"_qs) + info(u"Runtime:"_qs, u"95 min"_qs)),
                                 u"0000001"_qs, record, &m_host);
    QCOMPARE(record.value(recordkey::title), QVariant(u"New"_qs));
    QCOMPARE(record.value(recordkey::duration), QVariant(u"95"_qs));
    // Nothing found, nothing written.
    QCOMPARE(record.value(recordkey::country), QVariant(u"Nowhere"_qs));
    QVERIFY(record.contains(recordkey::credits));
    QCOMPARE(record.credits(), QVariantList());
}

void LegacyTest::savedPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QVariantMap>("expected"); // every key below; absent when not given

    const QString poster = u"http://ia.media-imdb.com/images/M/"_qs;
    QTest::newRow("Die Hard 2009")
        << u"title-old/die-hard-tt0095016-2009-06-combined.html"_qs << u"0095016"_qs
        << QVariantMap{
               {recordkey::images,
                QStringList{
                    poster +
                        u"MV5BMTIxNTY3NjM0OV5BMl5BanBnXkFtZTcwNzg5MzY0MQ@@._V1._SX1000_SY1000_.jpg"_qs,
                    poster +
                        u"MV5BMTIxNTY3NjM0OV5BMl5BanBnXkFtZTcwNzg5MzY0MQ@@._V1._SX100_SY135_.jpg"_qs}},
               {recordkey::title, u"Die Hard"_qs},
               {recordkey::originalTitle, u"Die Hard"_qs},
               // No "/year/" link on this page: the release date alone.
               {recordkey::theatrical, QDate(1988, 7, 15)},
               {recordkey::rating, u"8.3 (154,281 votes)"_qs},
               {recordkey::director, u"John McTiernan"_qs},
               {recordkey::writer, u"Roderick Thorp, Jeb Stuart"_qs},
               {recordkey::genre, u"Action, Crime, Drama, Thriller"_qs},
               // The tagline stands as plain text after its label, before its "more" link.
               {recordkey::tagline, u"It will blow you through the back wall of the theater!"_qs},
               {recordkey::summary,
                u"New York City Detective John McClane has just arrived in Los Angeles to spend "
                "Christmas with his wife. Unfortunatly, it is not going to be a Merry Christmas "
                "for everyone. A group of terrorists, led by Hans Gruber is holding everyone in "
                "the Nakatomi Plaza building hostage. With no way of anyone getting in or out, "
                "it's up to McClane to stop them all. All 12!"_qs},
               {recordkey::awards, u"Nominated for 4 Oscars. Another 6 wins & 2 nominations"_qs},
               {recordkey::duration, u"131"_qs},
               {recordkey::country, u"USA"_qs},
               {recordkey::languages, u"English, German, Italian"_qs},
               {recordkey::aspectRatio, u"2.20 : 1"_qs},
               {recordkey::sound, u"70 mm 6-Track"_qs},
               {recordkey::studio, u"Twentieth Century-Fox Film Corporation"_qs},
           };
    QTest::newRow("Shawshank 2009")
        << u"title-old/shawshank-redemption-tt0111161-2009-11-combined.html"_qs << u"0111161"_qs
        << QVariantMap{
               {recordkey::images,
                QStringList{
                    poster +
                        u"MV5BMTYzMzA2Nzc2Nl5BMl5BanBnXkFtZTcwMzQwMTgxMQ@@._V1._SX1000_SY1000_.jpg"_qs,
                    poster +
                        u"MV5BMTYzMzA2Nzc2Nl5BMl5BanBnXkFtZTcwMzQwMTgxMQ@@._V1._SX78_SY140_.jpg"_qs}},
               {recordkey::title, u"The Shawshank Redemption"_qs},
               {recordkey::originalTitle, u"The Shawshank Redemption"_qs},
               {recordkey::theatrical, QDate(1994, 9, 23)},
               {recordkey::rating, u"9.2 (456,097 votes)"_qs},
               {recordkey::director, u"Frank Darabont"_qs},
               {recordkey::writer, u"Stephen King, Frank Darabont"_qs},
               {recordkey::genre, u"Crime, Drama"_qs},
               {recordkey::tagline, u"Fear can hold you prisoner. Hope can set you free."_qs},
               {recordkey::awards, u"Nominated for 7 Oscars. Another 11 wins & 13 nominations"_qs},
               {recordkey::rated, u"R"_qs},
               {recordkey::duration, u"142"_qs},
               {recordkey::country, u"USA"_qs},
               {recordkey::languages, u"English"_qs},
               {recordkey::aspectRatio, u"1.85 : 1"_qs},
               {recordkey::sound, u"Dolby Digital"_qs},
               {recordkey::studio, u"Castle Rock Entertainment"_qs},
           };
    QTest::newRow("Pulp Fiction 2010")
        << u"title-old/pulp-fiction-tt0110912-2010-10-combined.html"_qs << u"0110912"_qs
        << QVariantMap{
               {recordkey::images,
                QStringList{
                    poster +
                        u"MV5BMjE0ODk2NjczOV5BMl5BanBnXkFtZTYwNDQ0NDg4._V1._SX1000_SY1000_.jpg"_qs,
                    poster +
                        u"MV5BMjE0ODk2NjczOV5BMl5BanBnXkFtZTYwNDQ0NDg4._V1._SX98_SY140_.jpg"_qs}},
               {recordkey::title, u"Pulp Fiction"_qs},
               {recordkey::originalTitle, u"Pulp Fiction"_qs},
               {recordkey::theatrical, QDate(1994, 10, 14)},
               {recordkey::rating, u"8.9 (423,636 votes)"_qs},
               {recordkey::director, u"Quentin Tarantino"_qs},
               {recordkey::writer, u"Quentin Tarantino, Roger Avary"_qs},
               {recordkey::genre, u"Crime, Thriller"_qs},
               {recordkey::tagline,
                u"Girls like me don't make invitations like this to just anyone!"_qs},
               {recordkey::awards, u"Won Oscar. Another 43 wins & 40 nominations"_qs},
               {recordkey::rated, u"R"_qs},
               {recordkey::duration, u"154"_qs},
               {recordkey::country, u"USA"_qs},
               {recordkey::languages, u"English, Spanish, French"_qs},
               {recordkey::aspectRatio, u"2.35 : 1"_qs},
               {recordkey::sound, u"Dolby Digital"_qs},
               {recordkey::studio, u"A Band Apart"_qs},
           };
    QTest::newRow("Dark Knight 2014")
        << u"title-old/dark-knight-tt0468569-2014-01-combined.html"_qs << u"0468569"_qs
        << QVariantMap{
               {recordkey::images,
                QStringList{
                    poster +
                        u"MV5BMTMxNTMwODM0NF5BMl5BanBnXkFtZTcwODAyMTk2Mw@@._V1._SX1000_SY1000_.jpg"_qs,
                    poster +
                        u"MV5BMTMxNTMwODM0NF5BMl5BanBnXkFtZTcwODAyMTk2Mw@@._V1._SX95_SY140_.jpg"_qs}},
               {recordkey::title, u"The Dark Knight"_qs},
               {recordkey::originalTitle, u"The Dark Knight"_qs},
               {recordkey::theatrical, QDate(2008, 7, 18)},
               {recordkey::rating, u"9.0 (1,114,655 votes)"_qs},
               {recordkey::director, u"Christopher Nolan"_qs},
               {recordkey::writer, u"Jonathan Nolan, Christopher Nolan"_qs},
               {recordkey::genre, u"Action, Crime, Drama, Thriller"_qs},
               {recordkey::tagline, u"Why So Serious?"_qs},
               {recordkey::awards, u"Won 2 Oscars. Another 94 wins & 69 nominations"_qs},
               {recordkey::rated, u"PG-13"_qs},
               {recordkey::duration, u"152"_qs},
               {recordkey::country, u"USA, UK"_qs},
               {recordkey::languages, u"English, Mandarin"_qs},
               {recordkey::aspectRatio, u"1.44 : 1"_qs},
               {recordkey::sound, u"Dolby Digital"_qs},
               {recordkey::studio, u"Warner Bros."_qs},
           };
    // A series: no director, the writers from the series' writing credits table, which stands
    // after the genres, so that the genres are not found in the same pass.
    QTest::newRow("Big Bang Theory 2014")
        << u"title-old/big-bang-theory-tt0898266-series-2014-01-combined.html"_qs << u"0898266"_qs
        << QVariantMap{
               {recordkey::images,
                QStringList{
                    poster +
                        u"MV5BMjQzMTYyODM4M15BMl5BanBnXkFtZTcwMTAxMDU1MQ@@._V1._SX1000_SY1000_.jpg"_qs,
                    poster +
                        u"MV5BMjQzMTYyODM4M15BMl5BanBnXkFtZTcwMTAxMDU1MQ@@._V1._SX100_SY135_.jpg"_qs}},
               {recordkey::title, u"The Big Bang Theory"_qs},
               {recordkey::originalTitle, u"The Big Bang Theory"_qs},
               {recordkey::theatrical, QDate(2007, 9, 24)},
               {recordkey::rating, u"8.7 (331,857 votes)"_qs},
               {recordkey::writer,
                u"Chuck Lorre, Bill Prady, Steven Molaro, Maria Ferrari, Steve Holland, Jim "
                "Reynolds, Eric Kaplan, Lee Aronsohn, David Goetsch, Richard Rosenstock, Tara "
                "Hernandez, Stephen Engel, Anthony Del Broccolo, Jennifer Glickman, Eddie "
                "Gorodetsky, Robert Cohen, Tim Doyle, Adam Faberman, Nicole Lorre, David Litt, "
                "Daley Haggar, Jessica Ambrosetti, Jeremy Howe"_qs},
               {recordkey::tagline, u"Smart Is The New Sexy."_qs},
               {recordkey::awards, u"Won Golden Globe. Another 23 wins & 79 nominations"_qs},
               {recordkey::duration, u"21"_qs},
               {recordkey::country, u"USA"_qs},
               {recordkey::languages, u"English, Hindi, Italian, Russian, German"_qs},
               {recordkey::aspectRatio, u"1.33 : 1"_qs},
               {recordkey::sound, u"Stereo"_qs},
               {recordkey::studio, u"Chuck Lorre Productions"_qs},
           };
}

void LegacyTest::savedPages()
{
    QFETCH(QString, file);
    QFETCH(QString, number);
    QFETCH(QVariantMap, expected);
    routePlotSummary(u"0095016"_qs, u"plotsummary/die-hard-tt0095016-2014-01.html"_qs);
    const TitleRecord record = parse(savedPage(file), number);
    const QStringList keys = {
        recordkey::images,     recordkey::title,       recordkey::originalTitle,
        recordkey::theatrical, recordkey::rating,      recordkey::myRating,
        recordkey::director,   recordkey::writer,      recordkey::genre,
        recordkey::tagline,    recordkey::summary,     recordkey::awards,
        recordkey::rated,      recordkey::duration,    recordkey::country,
        recordkey::languages,  recordkey::aspectRatio, recordkey::sound,
        recordkey::studio,
    };
    for (const QString &key : keys) {
        const QVariant want =
            expected.value(key, key == recordkey::images ? QVariant(QStringList()) : QVariant());
        QVariant have = record.value(key);
        if (key == recordkey::images)
            have = record.imageLocations();
        QVERIFY2(have == want, qPrintable(key + u": "_qs + have.toString()));
    }
}

// The cast table is read by the cast-table reader into the parser's own new list.
void LegacyTest::savedPageCast()
{
    const TitleRecord record =
        parse(savedPage(u"title-old/shawshank-redemption-tt0111161-2009-11-combined.html"_qs));
    const QVariantList credits = record.credits();
    QVERIFY(credits.size() >= 2);
    QCOMPARE(credits.at(0).toMap().value(u"name"_qs), QVariant(u"Tim Robbins"_qs));
    QCOMPARE(credits.at(0).toMap().value(u"role"_qs), QVariant(u"Andy Dufresne"_qs));
    QCOMPARE(credits.at(1).toMap().value(u"name"_qs), QVariant(u"Morgan Freeman"_qs));
    QCOMPARE(credits.at(1).toMap().value(u"role"_qs), QVariant(u"Ellis Boyd 'Red' Redding"_qs));
}

// Plain HTTP to the www host, no header of our own, the body read as Latin-1.
void LegacyTest::plotSummaryRequest()
{
    TestSite::Route route;
    route.target = u"/title/tt0000002/plotsummary"_qs;
    route.body = "<ul class=\"zebraList\"><li><p class=\"plotSummary\">Caf\xe9 cr\xe8me.</p></li>";
    route.contentType = "text/html";
    m_site.addRoute(route);
    const TitleRecord record = parse(u"<p>x</p>"_qs, u"0000002"_qs);
    QCOMPARE(record.value(recordkey::summary), QVariant(u"Café crème."_qs));

    const QList<TestSite::Request> requests = m_site.requests();
    QCOMPARE(requests.size(), 1);
    QVERIFY(!requests.first().secure);
    QCOMPARE(requests.first().target, QByteArray("/title/tt0000002/plotsummary"));
    QCOMPARE(requests.first().headers.value("host"),
             "localhost:" + QByteArray::number(m_site.httpPort()));
    // The platform's own User-Agent, not the browser's that the title page is asked with.
    QVERIFY(requests.first().headers.value("user-agent").contains("QtNetwork/"));
}

void LegacyTest::plotSummaryPage_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("reset");
    QTest::addColumn<QVariant>("summary"); // invalid: absent

    QTest::newRow("summary")
        << QByteArray("<ul class=\"zebraList\">\n<li class=\"odd\">\n<p class=\"plotSummary\">\nA "
                      "&amp; B.\n</p><p class=\"plotSummary\">Second.</p>")
        << false << QVariant(u"A & B."_qs);
    // The first summary of the list only.
    QTest::newRow("summary before the list")
        << QByteArray("<p class=\"plotSummary\">Elsewhere</p><ul class=\"zebraList\"><li><p "
                      "class=\"plotSummary\">In the list</p>")
        << false << QVariant(u"In the list"_qs);
    // A page without the list has no summary, and says so: the earlier one goes.
    QTest::newRow("page without the list")
        << QByteArray("<html>nothing</html>") << false << QVariant();
    QTest::newRow("list without a summary")
        << QByteArray("<ul class=\"zebraList\"><li>none</li></ul><p>x</p>") << false << QVariant();
    // No page at all: the summary stays.
    QTest::newRow("no page") << QByteArray("<ul class=\"zebraList\">") << true
                             << QVariant(u"Earlier"_qs);
}

void LegacyTest::plotSummaryPage()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, reset);
    QFETCH(QVariant, summary);
    static int number = 100;
    const QString titleNumber = QString::number(++number).rightJustified(7, u'0');
    TestSite::Route route;
    route.target = u"/title/tt"_qs + titleNumber + u"/plotsummary"_qs;
    route.body = body;
    route.reset = reset;
    m_site.addRoute(route);
    TitleRecord record;
    record.set(recordkey::summary, u"Earlier"_qs);
    details::oldIMDBParsingStyle(u"<p>x</p>"_qs, titleNumber, record, &m_host);
    QCOMPARE(record.value(recordkey::summary), summary);
}

// A plot-summary page handed in by the caller is read as a fetched one; nothing goes out.
void LegacyTest::suppliedPlotSummaryPage_data()
{
    QTest::addColumn<Text>("page");
    QTest::addColumn<QVariant>("summary");
    // The first summary of "Showing all 5 plot summaries".
    QTest::newRow("saved summary page")
        << Text(QString::fromUtf8(readTestData(u"plotsummary/die-hard-tt0095016-2014-01.html"_qs)))
        << QVariant(u"New York City Detective John McClane has just arrived in Los Angeles to "
                    u"spend Christmas with his wife. Unfortunatly, it is not going to be a Merry "
                    u"Christmas for everyone. A group of terrorists, led by Hans Gruber is "
                    u"holding everyone in the Nakatomi Plaza building hostage. With no way of "
                    u"anyone getting in or out, it's up to McClane to stop them all. All 12!"_qs);
    QTest::newRow("no page") << Text() << QVariant(u"held before"_qs);
}

void LegacyTest::suppliedPlotSummaryPage()
{
    QFETCH(Text, page);
    QFETCH(QVariant, summary);
    TitleRecord record;
    record.set(recordkey::summary, u"held before"_qs);
    QStringList asked;
    details::oldIMDBParsingStyle(u"<p>x</p>"_qs, u"0095016"_qs, record, &m_host,
                                 [&](const QString &number) {
                                     asked.append(number);
                                     return page;
                                 });
    QCOMPARE(asked, QStringList{u"0095016"_qs});
    QCOMPARE(record.value(recordkey::summary), summary);
    QVERIFY(m_site.requests().isEmpty());
}

// Whatever was read before the cut stays; nothing crashes or hangs.
void LegacyTest::pagesCutOffAnywhere()
{
    const QString page = savedPage(u"title-old/dark-knight-tt0468569-2014-01-combined.html"_qs);
    QElapsedTimer timer;
    timer.start();
    const qsizetype heading = page.indexOf(u"</h1>"_qs);
    QVERIFY(heading > 0);
    for (qsizetype cut = 0; cut < page.size(); cut += page.size() / 97 + 1) {
        const TitleRecord record = parse(page.left(cut));
        QCOMPARE(record.contains(recordkey::title), cut > heading);
        QVERIFY(record.contains(recordkey::credits));
    }
    QVERIFY2(timer.elapsed() < timeLimitMs(30000), "cut pages took too long");
}

void LegacyTest::pageCutOffMidSection()
{
    const QString page = savedPage(u"title-old/die-hard-tt0095016-2009-06-combined.html"_qs);
    const qsizetype cut = page.indexOf(u"/Sections/Genres/Crime/"_qs);
    QVERIFY(cut > 0);
    // "…/Sections/Genres/Cri"
    const TitleRecord record = parse(page.left(cut + 20));
    QCOMPARE(record.value(recordkey::title), QVariant(u"Die Hard"_qs));
    QCOMPARE(record.value(recordkey::rating), QVariant(u"8.3 (154,281 votes)"_qs));
    QCOMPARE(record.value(recordkey::director), QVariant(u"John McTiernan"_qs));
    QCOMPARE(record.value(recordkey::writer), QVariant(u"Roderick Thorp, Jeb Stuart"_qs));
    QCOMPARE(record.value(recordkey::theatrical), QVariant(QDate(1988, 7, 15)));
    // The genres block runs to the end of what is left: the first genre and the cut one.
    QCOMPARE(record.value(recordkey::genre), QVariant(u"Action, Cri"_qs));
    for (const QString &key : {recordkey::tagline, recordkey::awards, recordkey::duration,
                               recordkey::country, recordkey::languages, recordkey::studio})
        QVERIFY2(!record.contains(key), qPrintable(key));
    QCOMPARE(record.credits(), QVariantList());
}

// A whole lookup of an older page: the parser's values stay, its cast does not reach the
// host, and the plot summary comes from the site.
void LegacyTest::lookupOfAnOlderPage()
{
    TestSite::Route title;
    title.target = u"/title/tt0095016"_qs;
    title.file = u"title-old/die-hard-tt0095016-2009-06-combined.html"_qs;
    m_site.addRoute(title);
    routePlotSummary(u"0095016"_qs, u"plotsummary/die-hard-tt0095016-2014-01.html"_qs);
    IMDB plugin;
    plugin.searchFor({{u"imdb"_qs, u"0095016"_qs}}, &m_host);
    const std::optional<QVariantMap> found = plugin.resultNumber(0);
    QVERIFY(found);
    const TitleRecord record(*found);
    QCOMPARE(record.value(recordkey::title), QVariant(u"Die Hard"_qs));
    QCOMPARE(record.value(recordkey::director), QVariant(u"John McTiernan"_qs));
    QCOMPARE(record.value(recordkey::genre), QVariant(u"Action, Crime, Drama, Thriller"_qs));
    QCOMPARE(record.value(recordkey::country), QVariant(u"USA"_qs));
    QCOMPARE(record.value(recordkey::languages), QVariant(u"English, German, Italian"_qs));
    QCOMPARE(record.value(recordkey::awards),
             QVariant(u"Nominated for 4 Oscars. Another 6 wins & 2 nominations"_qs));
    QVERIFY(record.text(recordkey::summary).hasPrefix(u"New York City Detective John McClane"));
    QVERIFY(!record.contains(recordkey::credits));
    QCOMPARE(m_site.requestCount("/title/tt0095016/plotsummary"), 1);
}

// Each address goes in at the front, so the list ends up led by the last one, ahead of what
// it held.
void LegacyTest::retailerImages()
{
    QStringList images{u"https://example.org/cover.jpg"_qs};
    details::amazonImageForAsin(u"B00005JNOG"_qs, images);
    QCOMPARE(images, (QStringList{
                         u"https://images-eu.amazon.com/images/P/B00005JNOG.03.LZZZZZZZ.jpg"_qs,
                         u"https://images-eu.amazon.com/images/P/B00005JNOG.02.LZZZZZZZ.jpg"_qs,
                         u"https://images.amazon.com/images/P/B00005JNOG.01.LZZZZZZZ.jpg"_qs,
                         u"https://example.org/cover.jpg"_qs,
                     }));
}

IMDB_TEST_MAIN(LegacyTest)
#include "tst_legacy.moc"
