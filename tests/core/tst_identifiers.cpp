// Title numbers: taken from addresses, recognised in queries, padded, and found for an entry
// by searching the test site over HTTPS.

#include "core/IMDB.h"
#include "tests/support/TestMain.h"
#include "tests/support/TestSite.h"

#include <QDate>

class IdentifiersTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void numberFromURL_data();
    void numberFromURL();
    void checkNumber_data();
    void checkNumber();
    void padding();
    void entrySearch_data();
    void entrySearch();

private:
    void route(const QString &query, const QByteArray &body);
    TestHost m_host;
    TestSite m_site{testData(u""_qs)};
    IMDB m_plugin;
};

void IdentifiersTest::initTestCase()
{
    TestSite::Route archer;
    archer.target = u"/find?tt=on&nm=on&mx=20&q=Archer"_qs;
    archer.file = u"find-old/archer-2021-08.html"_qs;
    m_site.addRoute(archer);
    // The title before its parenthesis is searched for, escaped.
    route(u"Alien%20"_qs, "<a href=\"/title/tt0078748/\">Alien</a> (1979)");
    route(u"Tom%20%26%20Jerry%2B"_qs, "<a href=\"/title/tt0000001/\">Tom</a> (1940)");
    route(u"The%20Shawshank%20Redemption"_qs,
          "<html><a href=\"/title/tt0111161/\">The Shawshank Redemption</a> (1994)"
          "<h5>Genre:</h5><a href=\"/title/tt9999999/\">Other</a> (1850)</html>");
    route(u"Broken"_qs, "<h5>Genre:</h5><a href=\"/title/tt/\">x</a>");
    route(u"Picture"_qs, "<a href=\"/title/tt0000100/\">Wrong</a> (1900) "
                         "<a href=\"/title/tt0000200/\"><img src=\"poster.jpg\"/></a>");
    route(u"Both"_qs, "<a href=\"/title/tt0000300/\"><img src=\"p.jpg\"/></a>"
                      "<a href=\"/title/tt0000300/\">Both</a> (1990)");
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void IdentifiersTest::route(const QString &query, const QByteArray &body)
{
    TestSite::Route r;
    r.target = u"/find?tt=on&nm=on&mx=20&q="_qs + query;
    r.body = body;
    m_site.addRoute(r);
}

void IdentifiersTest::numberFromURL_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("number");
    QTest::newRow("title page") << u"https://www.127.0.0.1/title/tt0111161/"_qs << u"0111161"_qs;
    QTest::newRow("with a path after")
        << u"http://127.0.0.1/title/tt0068646/reference"_qs << u"0068646"_qs;
    // No "/" after the number: the number runs to the end of the address.
    QTest::newRow("no slash after") << u"https://127.0.0.1/title/tt12345678"_qs << u"12345678"_qs;
    QTest::newRow("no number") << u"https://127.0.0.1/title/tt/"_qs << QString();
    QTest::newRow("another site") << u"https://example.org/title/tt0111161/"_qs << QString();
    QTest::newRow("marker case differs") << u"https://127.0.0.1/Title/tt0111161/"_qs << QString();
}

void IdentifiersTest::numberFromURL()
{
    QFETCH(QString, url);
    QFETCH(QString, number);
    const Text found = m_plugin.imdbNumberFromURL(url);
    QCOMPARE(found.isNull(), number.isNull());
    QCOMPARE(found.string(), number);
}

void IdentifiersTest::checkNumber_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("number");
    QTest::newRow("seven digits") << u"0111161"_qs << u"0111161"_qs;
    QTest::newRow("eight digits") << u"12345678"_qs << u"12345678"_qs;
    QTest::newRow("with tt") << u"tt0111161"_qs << u"0111161"_qs;
    QTest::newRow("white space around") << u"  0111161 \n"_qs << u"0111161"_qs;
    QTest::newRow("trailing letter") << u"tt0111161x"_qs << u"0111161"_qs;
    QTest::newRow("number and words") << u"0111161 The Shawshank Redemption"_qs << u"0111161"_qs;
    QTest::newRow("six digits") << u"111161"_qs << QString();
    QTest::newRow("tt and six") << u"tt111161"_qs << QString();
    QTest::newRow("tt zeros") << u"tt0000000"_qs << QString();
    QTest::newRow("a title") << u"2001: A Space Odyssey"_qs << QString();
    QTest::newRow("empty") << QString() << QString();
}

void IdentifiersTest::checkNumber()
{
    QFETCH(QString, query);
    QFETCH(QString, number);
    const Text found = m_plugin.checkIMDBNumber(query);
    QCOMPARE(found.isNull(), number.isNull());
    QCOMPARE(found.string(), number);
}

void IdentifiersTest::padding()
{
    QCOMPARE(IMDB::padIMDBNumber(QString()), u"0000000"_qs);
    QCOMPARE(IMDB::padIMDBNumber(u"12345678"_qs), u"12345678"_qs);
}

void IdentifiersTest::entrySearch_data()
{
    // The saved results page lists a picture link and a text link for Archer (2009), the
    // same for Harper (1966), then A Dogwalker's Christmas Tale (2015) and Kahi (2016).
    QTest::addColumn<QString>("title");
    QTest::addColumn<QVariant>("theatrical");
    QTest::addColumn<QString>("number");
    const QString archer = u"Archer"_qs;
    QTest::newRow("no date: first hit") << archer << QVariant() << u"1486217"_qs;
    QTest::newRow("same year") << archer << QVariant(QDate(2009, 9, 17)) << u"1486217"_qs;
    QTest::newRow("a year before") << archer << QVariant(QDate(2008, 1, 1)) << u"1486217"_qs;
    QTest::newRow("a year after") << archer << QVariant(QDate(2010, 1, 1)) << u"1486217"_qs;
    QTest::newRow("second hit's year") << archer << QVariant(QDate(1966, 2, 1)) << u"0060490"_qs;
    QTest::newRow("near the second") << archer << QVariant(QDate(1967, 1, 1)) << u"0060490"_qs;
    QTest::newRow("a later hit") << archer << QVariant(QDate(2015, 1, 1)) << u"3991066"_qs;
    QTest::newRow("no hit fits") << archer << QVariant(QDate(2012, 1, 1)) << QString();
    QTest::newRow("not a date") << archer << QVariant(u"2012"_qs) << u"1486217"_qs;
    QTest::newRow("parenthesis") << u"Alien (1979)"_qs << QVariant() << u"0078748"_qs;
    QTest::newRow("escaped") << u"Tom & Jerry+"_qs << QVariant() << u"0000001"_qs;
    // A title page is its own answer: its first link's number, whatever the year says.
    QTest::newRow("title page") << u"The Shawshank Redemption"_qs << QVariant(QDate(1950, 1, 1))
                                << u"0111161"_qs;
    QTest::newRow("broken title page") << u"Broken"_qs << QVariant() << QString();
    // The test site answers 404 with a short text holding no link.
    QTest::newRow("no answer") << u"Nothing Like It"_qs << QVariant() << QString();
    QTest::newRow("untitled") << QString() << QVariant() << QString();
    // A picture link is never taken unjudged; followed by its text link, that is judged.
    QTest::newRow("picture link") << u"Picture"_qs << QVariant(QDate(1990, 1, 1)) << QString();
    QTest::newRow("picture, then text")
        << u"Both"_qs << QVariant(QDate(1990, 1, 1)) << u"0000300"_qs;
}

void IdentifiersTest::entrySearch()
{
    QFETCH(QString, title);
    QFETCH(QVariant, theatrical);
    QFETCH(QString, number);
    QVariantMap values;
    if (!title.isNull())
        values.insert(u"title"_qs, title);
    if (theatrical.isValid())
        values.insert(u"theatrical"_qs, theatrical);
    TestEntry entry(values);
    const Text found = IMDB::getIMDBNumberForEntry(&entry);
    QCOMPARE(found.isNull(), number.isNull());
    QCOMPARE(found.string(), number);
    // The number found is stored in the entry; a failed search leaves the entry alone.
    QCOMPARE(entry.valueForKey(u"imdb"_qs).toString(), number);
    QCOMPARE(entry.values().contains(u"imdb"_qs), !number.isNull());
    QVERIFY(m_site.requests().isEmpty() || m_site.requests().last().secure);
    QVERIFY(IMDB::getIMDBNumberForEntry(nullptr).isNull());
}

IMDB_TEST_MAIN(IdentifiersTest)
#include "tst_identifiers.moc"
