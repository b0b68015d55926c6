// The release date: the English date reader, its sources, and its placement against the year.

#include "details/ReleaseDate.h"
#include "details/TitleRecord.h"
#include "platform/NaturalDates.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"
#include "tests/details/TitleTestPages.h"

#include <QDate>
#include <QDateTime>

class ReleaseDateTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void naturalLanguage_data();
    void naturalLanguage();
    void sources_data();
    void sources();
    void placement_data();
    void placement();
    void cleanup();
};

void ReleaseDateTest::cleanup()
{
    platform::UserDefaults::removeObject(prefs::disableCountryRelease);
}

void ReleaseDateTest::naturalLanguage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date"); // invalid: not a date

    QTest::newRow("day month year") << u"14 October 1994"_qs << QDate(1994, 10, 14);
    QTest::newRow("month day, year") << u"October 14, 1994"_qs << QDate(1994, 10, 14);
    QTest::newRow("abbreviated month") << u"14 Oct 1994"_qs << QDate(1994, 10, 14);
    QTest::newRow("abbreviation with a dot") << u"Oct. 14, 1994"_qs << QDate(1994, 10, 14);
    QTest::newRow("year alone") << u"1994"_qs << QDate(1994, 1, 1);
    QTest::newRow("month and year") << u"October 1994"_qs << QDate(1994, 10, 1);
    QTest::newRow("ordinal day") << u"1st May 2004"_qs << QDate(2004, 5, 1);
    QTest::newRow("weekday first") << u"Friday, 14 October 1994"_qs << QDate(1994, 10, 14);
    QTest::newRow("letter case") << u"14 OCTOBER 1994"_qs << QDate(1994, 10, 14);
    QTest::newRow("four-letter September") << u"Sept 5, 2001"_qs << QDate(2001, 9, 5);
    QTest::newRow("white space and line breaks") << u"  2 June\n 2002 "_qs << QDate(2002, 6, 2);
    QTest::newRow("numeric day") << u"1994-10-14"_qs << QDate(1994, 10, 14);
    QTest::newRow("leap day") << u"29 February 2000"_qs << QDate(2000, 2, 29);

    QTest::newRow("empty") << QString() << QDate();
    QTest::newRow("words") << u"sometime soon"_qs << QDate();
    QTest::newRow("unknown month") << u"14 Octember 1994"_qs << QDate();
    QTest::newRow("day the month lacks") << u"31 February 1994"_qs << QDate();
    QTest::newRow("no leap day that year") << u"29 February 1900"_qs << QDate();
    QTest::newRow("day zero") << u"0 October 1994"_qs << QDate();
    QTest::newRow("two-digit year") << u"14 October 94"_qs << QDate();
    QTest::newRow("no year") << u"14 October"_qs << QDate();
    QTest::newRow("words left over") << u"14 October 1994 and more"_qs << QDate();
    QTest::newRow("country left in") << u"14 October 1994 (USA)"_qs << QDate();
    QTest::newRow("two months") << u"October May 1994"_qs << QDate();
}

void ReleaseDateTest::naturalLanguage()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    const std::optional<QDate> read = platform::dateFromNaturalLanguage(text);
    QCOMPARE(read.has_value(), date.isValid());
    if (read)
        QCOMPARE(*read, date);
}

void ReleaseDateTest::sources_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QDate>("date"); // invalid: none is stored

    const QString line = u"<div class=\"txt-block\"><h4 class=\"inline\">Release Date:</h4> %1\n"
                         "<span class=\"see-more inline\"><a href=\"releaseinfo\">See more</a>"
                         "&nbsp;&raquo;</span></div>"_qs;
    const QString usLine = line.arg(u"14 October 1994 (USA)"_qs);

    QTest::newRow("structured day wins over the markup")
        << withStructuredData(u"{\"datePublished\": \"1995-01-02\"}"_qs, usLine)
        << QDate(1995, 1, 2);
    QTest::newRow("structured year alone: the markup is read")
        << withStructuredData(u"{\"datePublished\": \"1994\"}"_qs, line.arg(u"3 March 1994"_qs))
        << QDate(1994, 3, 3);
    QTest::newRow("structured date and time is not a day")
        << withStructuredData(u"{\"datePublished\": \"1994-10-14T00:00:00Z\"}"_qs) << QDate();
    QTest::newRow("structured day the month lacks")
        << withStructuredData(u"{\"datePublished\": \"1994-02-30\"}"_qs) << QDate();
    QTest::newRow("structured number counts as absent")
        << withStructuredData(u"{\"datePublished\": 19941014}"_qs, usLine) << QDate(1994, 10, 14);
    QTest::newRow("structured data that is a list")
        << withStructuredData(u"[{\"datePublished\": \"1995-01-02\"}]"_qs, usLine)
        << QDate(1994, 10, 14);
    QTest::newRow("release date over several lines")
        << u"<h4 class=\"inline\">Release Date:</h4>\n14 May 2004\n(USA)\n</div>"_qs
        << QDate(2004, 5, 14);
    QTest::newRow("marker in another letter case")
        << u"<h4>release date:</h4> 3 March 2001</div>"_qs << QDate(2001, 3, 3);
    QTest::newRow("entities in the line")
        << line.arg(u"14&nbsp;October&#32;1994 (USA)"_qs) << QDate(1994, 10, 14);
    // The country's link is cut off with everything after it, so a date inside a link is
    // cut off too.
    QTest::newRow("date inside a link")
        << u"<h4>Release Date:</h4> <a href=\"/d\">14 October 1994</a></div>"_qs << QDate();
    QTest::newRow("release date line in words") << line.arg(u"to be announced"_qs) << QDate();
    QTest::newRow("marker at the end of the page") << u"<h4>Release Date:</"_qs << QDate();
    QTest::newRow("no release date") << u"<p>14 October 1994</p>"_qs << QDate();
}

void ReleaseDateTest::sources()
{
    QFETCH(QString, html);
    QFETCH(QDate, date);
    TitlePage page = titlePageFromText(html);
    TitleRecord record;
    details::addReleaseDate(page, record);
    QCOMPARE(record.contains(recordkey::theatrical), date.isValid());
    QCOMPARE(record.value(recordkey::theatrical).toDate(), date);
    QVERIFY(!record.contains(recordkey::releaseDate));
}

void ReleaseDateTest::placement_data()
{
    QTest::addColumn<QVariant>("before");
    QTest::addColumn<bool>("keepApart"); // "Disable IMDB Country Release"
    QTest::addColumn<QVariant>("theatrical");
    QTest::addColumn<QVariant>("releaseDate");

    const QVariant day(QDate(1994, 10, 14));
    const QVariant sameYear(QDate(1994, 1, 1));
    const QVariant otherYear(QDate(1993, 1, 1));
    QTest::newRow("no year yet") << QVariant() << false << day << QVariant();
    QTest::newRow("no year yet, kept apart") << QVariant() << true << QVariant() << day;
    QTest::newRow("same year replaced") << sameYear << false << day << QVariant();
    QTest::newRow("same year, kept apart") << sameYear << true << sameYear << day;
    QTest::newRow("other year") << otherYear << false << otherYear << day;
    QTest::newRow("same year as a date and time")
        << QVariant(QDateTime(QDate(1994, 6, 1), QTime(12, 0))) << false << day << QVariant();
}

void ReleaseDateTest::placement()
{
    QFETCH(QVariant, before);
    QFETCH(bool, keepApart);
    QFETCH(QVariant, theatrical);
    QFETCH(QVariant, releaseDate);

    if (keepApart)
        platform::UserDefaults::setBool(prefs::disableCountryRelease, true);
    TitlePage page =
        titlePageFromText(withStructuredData(u"{\"datePublished\": \"1994-10-14\"}"_qs));
    TitleRecord record;
    record.set(recordkey::theatrical, before);
    details::addReleaseDate(page, record);
    QCOMPARE(record.value(recordkey::theatrical), theatrical);
    QCOMPARE(record.value(recordkey::releaseDate), releaseDate);
}

IMDB_TEST_MAIN(ReleaseDateTest)
#include "tst_releasedate.moc"
