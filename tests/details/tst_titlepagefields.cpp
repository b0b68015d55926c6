// The first nine field-group steps over saved title pages of two layout eras.

#include "details/Images.h"
#include "details/Ratings.h"
#include "details/ReleaseDate.h"
#include "details/Runtime.h"
#include "details/TitleRecord.h"
#include "details/Titles.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"
#include "tests/details/TitleTestPages.h"

#include <QDate>
#include <QLocale>

class TitlePageFieldsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void savedPages_data();
    void savedPages();

private:
    TestHost m_host;
};

namespace {

const QString votesKey = u"votes"_qs;
const QString metacriticKey = u"metacritic"_qs;

// The keys steps 1 to 9 write, besides the image list.
const QStringList ownedKeys = {
    recordkey::title,
    recordkey::originalTitle,
    recordkey::theatrical,
    recordkey::releaseDate,
    recordkey::series,
    recordkey::season,
    recordkey::episode,
    recordkey::duration,
    recordkey::rating,
    recordkey::myRating,
    votesKey,
    metacriticKey,
};

// The run's first nine steps, in the run's order, over a record holding the frame's image
// list.
TitleRecord firstNineSteps(TitlePage &page)
{
    TitleRecord record;
    record.setImageLocations({});
    details::addCoverImages(page, record);
    details::addTheatricalYear(page, record);
    details::addTitles(page, record);
    details::addSeries(page, record);
    details::addRunningTime(page, record);
    details::addCriticsScore(page, record);
    details::addReleaseDate(page, record);
    details::addPersonalRating(page, record);
    details::addUserRating(page, record);
    return record;
}

void compareOwnedFields(const TitleRecord &record, const QVariantMap &expected)
{
    for (const QString &key : ownedKeys) {
        const QVariant actual = record.value(key);
        const QVariant wanted = expected.value(key);
        QVERIFY2(actual == wanted, qPrintable(u"\"%1\": got %2, expected %3"_qs.arg(
                                       key, actual.toString(), wanted.toString())));
    }
}

} // namespace

void TitlePageFieldsTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TitlePageFieldsTest::cleanup()
{
    platform::UserDefaults::removeObject(prefs::disableCountryRelease);
    m_host.setCustomFields({});
}

void TitlePageFieldsTest::savedPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("searched");      // null: the host passed no title
    QTest::addColumn<bool>("customFields");     // "IMDb Votes" and "Metacritic"
    QTest::addColumn<bool>("keepReleaseApart"); // "Disable IMDB Country Release"
    QTest::addColumn<QVariantMap>("fields");
    QTest::addColumn<QString>("firstImage"); // null: no image
    QTest::addColumn<int>("imageCount");

    const QString none;
    const QString amazon = u"https://m.media-amazon.com/images/M/"_qs;
    const QString amazonNa = u"https://images-na.ssl-images-amazon.com/images/M/"_qs;
    const QString large = u"._V1._S800_SY800_.jpg"_qs;

    // The newer layout: everything structured but the year link and the original-title line.
    const QString starWarsImage =
        amazon +
        u"MV5BNzVlY2MwMjktM2E4OS00Y2Y3LWE3ZjctYzhkZGM3YzA1ZWM2XkEyXkFqcGdeQXVyNzkwMjQ5NzM@._V1_.jpg"_qs;
    QTest::newRow("2022 Star Wars, votes field, release kept apart, no searched title")
        << u"title-2020s/star-wars-tt0076759-2022-03.html"_qs << none << true << true
        << QVariantMap{{recordkey::title, u"Star Wars"_qs},
                       {recordkey::theatrical, QDate(1977, 1, 1)},
                       {recordkey::releaseDate, QDate(1977, 5, 25)},
                       {recordkey::duration, u"121"_qs},
                       {recordkey::rating, 8.6},
                       {votesKey, u"1,306,770"_qs}}
        << starWarsImage << 1;
    // The newer layout's episode heading ("S8.E3") and parent link carry none of the
    // markers the series step reads, so an episode keeps its title alone.
    QTest::newRow("2022 House episode Charity Case")
        << u"title-2020s/house-charity-case-tt2016511-episode-2022-03.html"_qs << u"Charity Case"_qs
        << false << false
        << QVariantMap{{recordkey::title, u"\"House\" Charity Case"_qs},
                       {recordkey::originalTitle, u"\"House\" Charity Case"_qs},
                       {recordkey::theatrical, QDate(2011, 10, 17)},
                       {recordkey::duration, u"44"_qs},
                       {recordkey::rating, u"8.2 (1,976 votes)"_qs}}
        << amazon + u"MV5BMjAxNDg2NzYzOF5BMl5BanBnXkFtZTcwNzA1NzI5Ng@@._V1_.jpg"_qs << 1;
    QTest::newRow("2022 The Detour episode The Pilot")
        << u"title-2020s/the-detour-pilot-episode-2022-03.html"_qs << none << true << false
        << QVariantMap{{recordkey::title, u"\"The Detour\" The Pilot"_qs},
                       {recordkey::theatrical, QDate(2016, 4, 11)},
                       {recordkey::duration, u"21"_qs},
                       {recordkey::rating, 8.1},
                       {votesKey, u"324"_qs}}
        << amazon + u"MV5BMjQxMjY1ODAxNV5BMl5BanBnXkFtZTgwNTE4ODY1ODE@._V1_.jpg"_qs << 1;
    // "2021– " is a span of years, not a year: the release date becomes "theatrical".
    QTest::newRow("2022 Foundation series")
        << u"title-2020s/foundation-tt0804484-series-2022-03.html"_qs << u"Foundation"_qs << false
        << false
        << QVariantMap{{recordkey::title, u"Foundation"_qs},
                       {recordkey::series, u"Foundation"_qs},
                       {recordkey::theatrical, QDate(2021, 9, 24)},
                       {recordkey::rating, u"7.4 (47,809 votes)"_qs}}
        << amazon +
               u"MV5BMTE5MDY1MGUtMmMxNi00YjA3LWIyZTYtN2FhOWJmNTY2NmM4XkEyXkFqcGdeQXVyMTkxNjUyNQ@@._V1_.jpg"_qs
        << 1;
    QTest::newRow("2022 House series with its original title")
        << u"title-2020s/house-tt0412142-series-2022-03.html"_qs << u"House"_qs << false << false
        << QVariantMap{{recordkey::title, u"House"_qs},
                       {recordkey::originalTitle, u"House M.D."_qs},
                       {recordkey::series, u"House"_qs},
                       {recordkey::theatrical, QDate(2004, 11, 16)},
                       {recordkey::rating, u"8.8 (444,861 votes)"_qs}}
        << amazon +
               u"MV5BMDA4NjQzN2ItZDhhNC00ZjVlLWFjNTgtMTEyNDQyOGNjMDE1XkEyXkFqcGdeQXVyNTA4NzY1MzY@._V1_.jpg"_qs
        << 1;
    QTest::newRow("2022 episode without rating or picture")
        << u"title-2020s/dr-friland-nybyggerne-part1-episode-no-rating-2022-03.html"_qs << none
        << true << false
        << QVariantMap{{recordkey::title, u"\"DR-Friland\" Nybyggerne: Part 1"_qs},
                       {recordkey::theatrical, QDate(2002, 7, 24)}}
        << none << 0;

    // The 2010s layouts: the preview link, the labelled lines, the ratings box.
    const QString shawshankLarge =
        amazon +
        u"MV5BMDFkYTc0MGEtZmNhMC00ZDIzLWFmNTEtODM1ZmRlYWMwMWFmXkEyXkFqcGdeQXVyMTMxODk2OTU@"_qs +
        large;
    QTest::newRow("2018 Shawshank Redemption, custom fields")
        << u"title-2010s/shawshank-redemption-tt0111161-2018-08.html"_qs
        << u"The Shawshank Redemption"_qs << true << false
        << QVariantMap{{recordkey::title, u"The Shawshank Redemption"_qs},
                       {recordkey::theatrical, QDate(1994, 10, 14)},
                       {recordkey::duration, u"142"_qs},
                       {recordkey::rating, u"9.3"_qs},
                       {votesKey, u"1,986,838"_qs},
                       {metacriticKey, u"80"_qs}}
        << shawshankLarge << 3;
    QTest::newRow("2018 Mad Men series")
        << u"title-2010s/mad-men-tt0804503-series-2018-08.html"_qs << none << false << false
        << QVariantMap{{recordkey::title, u"Mad Men"_qs},
                       {recordkey::series, u"Mad Men"_qs},
                       {recordkey::theatrical, QDate(2007, 7, 19)},
                       {recordkey::duration, u"47"_qs},
                       {recordkey::rating, u"8.6 (170,017 votes)"_qs}}
        << amazon + u"MV5BMjMwNzk5Nzg2OV5BMl5BanBnXkFtZTgwMjg1OTk1NDE@"_qs + large << 3;
    // A Czech edition: the series under its Czech name, the rating with a decimal comma, and
    // the vote count outside the part of the ratings box that is read.
    QTest::newRow("2018 Walking Dead episode Say Yes")
        << u"title-2010s/walking-dead-say-yes-episode-2018-03-cz-localized.html"_qs << u"Say Yes"_qs
        << true << false
        << QVariantMap{{recordkey::title, u"\"Ziví mrtví\" Say Yes"_qs},
                       {recordkey::originalTitle, u"\"Ziví mrtví\" Say Yes"_qs},
                       {recordkey::series, u"Ziví mrtví"_qs},
                       {recordkey::season, qint64(7)},
                       {recordkey::episode, qint64(12)},
                       {recordkey::theatrical, QDate(2017, 3, 5)},
                       {recordkey::duration, u"43"_qs},
                       {recordkey::rating, u"7,0"_qs}}
        << amazonNa +
               u"MV5BMGRmNmI2OGYtNjk4ZC00N2ZhLTg3OGItM2UxOGUxMDAxNjFiXkEyXkFqcGdeQXVyNzI2MDU5NTg@"_qs +
               large
        << 3;
    QTest::newRow("2014 The Wire series")
        << u"title-2010s/the-wire-tt0306414-series-2014-06.html"_qs << u"The Wire"_qs << true
        << false
        << QVariantMap{{recordkey::title, u"The Wire"_qs},
                       {recordkey::series, u"The Wire"_qs},
                       {recordkey::theatrical, QDate(2002, 6, 2)},
                       {recordkey::duration, u"60"_qs},
                       {recordkey::rating, u"9.4"_qs}}
        << u"http://ia.media-imdb.com/images/M/MV5BNjc1NzYwODEyMV5BMl5BanBnXkFtZTcwNTcxMzU1MQ@@"_qs +
               large
        << 3;
    QTest::newRow("2017 Die Hard, release kept apart")
        << u"title-2010s/die-hard-tt0095016-2017-03.html"_qs << u"Die Hard"_qs << true << true
        << QVariantMap{{recordkey::title, u"Die Hard"_qs},
                       {recordkey::releaseDate, QDate(1988, 7, 20)},
                       {recordkey::duration, u"131"_qs},
                       {recordkey::rating, u"8.2"_qs},
                       {metacriticKey, u"70"_qs}}
        << amazonNa +
               u"MV5BMzNmY2IwYzAtNDQ1NC00MmI4LThkOTgtZmVhYmExOTVhMWRkXkEyXkFqcGdeQXVyMTk5NDA3Nw@@"_qs +
               large
        << 3;
    QTest::newRow("2011 Troy") << u"title-2010s/troy-tt0332452-2011.html"_qs << none << true
                               << false
                               << QVariantMap{{recordkey::title, u"Troy"_qs},
                                              {recordkey::theatrical, QDate(2004, 5, 14)},
                                              {recordkey::duration, u"163"_qs}}
                               << none << 0;
}

void TitlePageFieldsTest::savedPages()
{
    QFETCH(QString, file);
    QFETCH(QString, searched);
    QFETCH(bool, customFields);
    QFETCH(bool, keepReleaseApart);
    QFETCH(QVariantMap, fields);
    QFETCH(QString, firstImage);
    QFETCH(int, imageCount);

    if (customFields)
        m_host.setCustomFields({{u"IMDb Votes"_qs, votesKey}, {u"Metacritic"_qs, metacriticKey}});
    if (keepReleaseApart)
        platform::UserDefaults::setBool(prefs::disableCountryRelease, true);
    TitlePage page = savedTitlePage(file, &m_host, searched.isNull() ? Text() : Text(searched));
    const TitleRecord record = firstNineSteps(page);

    compareOwnedFields(record, fields);
    const QStringList images = record.imageLocations();
    QCOMPARE(images.size(), imageCount);
    if (!firstImage.isNull())
        QCOMPARE(images.first(), firstImage);
    QCOMPARE(page.scanner.position(), 0);
}

IMDB_TEST_MAIN(TitlePageFieldsTest)
#include "tst_titlepagefields.moc"
