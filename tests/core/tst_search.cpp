// The host's search: which query a search dictionary makes, how it goes into the address,
// direct answers, the find page through both web views, and the results list of real pages.

#include "core/IMDB.h"
#include "platform/WebView.h"
#include "tests/support/TestMain.h"
#include "tests/support/TestSite.h"

#include <QDate>
#include <QElapsedTimer>

using platform::WebView;

class SearchTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void titleNumbersAnswerAtOnce_data();
    void titleNumbersAnswerAtOnce();
    void dictionaryRulesPickTheQuery_data();
    void dictionaryRulesPickTheQuery();
    void searchesThatNameNothingReportZeroOnce();
    void queriesAreEncodedIntoTheAddress_data();
    void queriesAreEncodedIntoTheAddress();
    void eachWebViewReadsTheResultsList();
    void failedLoadsReportZeroOnce();
    void newSearchAbandonsTheOneLoading();
    void olderResultsPagesThroughDownloadedData();
    void yearMatchingHitsComeFirst();
    void titlePagesGiveOneResult();
    void brokenAndHugeResultsLists();

private:
    void search(const QVariantMap &dictionary, int reports = 1);
    // A search whose page has no list, then the saved page as the downloaded data.
    void feed(const QString &file, const QVariantMap &entry = {});
    QStringList numbers() const { return m_plugin.resultsURLs(); }
    QStringList titles() const { return m_plugin.resultsTitles(); }

    TestHost m_host;
    TestSite m_site{testData(u""_qs)};
    IMDB m_plugin;
};

void SearchTest::initTestCase()
{
    m_site.addRoute(u"/find?s=tt&q=Archer"_qs, u"find-new/archer-2022-10.html"_qs);
    m_site.addRoute(u"/find?s=tt&q=Alien"_qs, u"search/scripted-results.html"_qs);
    TestSite::Route never;
    never.target = u"/find?s=tt&q=Never"_qs;
    never.neverAnswer = true;
    m_site.addRoute(never);
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void SearchTest::init()
{
    // Every page of the test site comes at once; a load this late has failed.
    WebView::setLoadTimeoutMs(15000);
    WebView::setPreferredKind(WebView::Kind::Static);
    m_site.clearRequests();
}

void SearchTest::search(const QVariantMap &dictionary, int reports)
{
    const qsizetype before = m_host.reports().size();
    m_plugin.searchFor(dictionary, &m_host);
    QVERIFY(m_host.waitForReports(int(before) + reports));
    // Whatever else arrives late would be a second report for one search.
    QTest::qWait(50);
    QCOMPARE(m_host.reports().size(), before + reports);
    QCOMPARE(m_host.reports().last(), m_plugin.resultsURLs().size());
    QCOMPARE(m_plugin.resultsTitles().size(), m_plugin.resultsURLs().size());
}

void SearchTest::feed(const QString &file, const QVariantMap &entry)
{
    QVariantMap dictionary = entry;
    dictionary.insert(u"title"_qs, u"nothing here"_qs);
    search(dictionary);
    m_plugin.downloadDataComplete(readTestData(file));
}

void SearchTest::titleNumbersAnswerAtOnce_data()
{
    QTest::addColumn<QVariantMap>("dictionary");
    QTest::addColumn<QString>("number");
    QTest::newRow("number as title")
        << QVariantMap{{u"title"_qs, u"tt0111161"_qs}} << u"0111161"_qs;
    QTest::newRow("stored number, padded")
        << QVariantMap{{u"imdb"_qs, u"111161"_qs}} << u"0111161"_qs;
    QTest::newRow("stored number as a number") << QVariantMap{{u"imdb"_qs, 42}} << u"0000042"_qs;
    QTest::newRow("title address")
        << QVariantMap{{u"url"_qs, u"https://www.127.0.0.1/title/tt0068646/"_qs}} << u"0068646"_qs;
}

void SearchTest::titleNumbersAnswerAtOnce()
{
    QFETCH(QVariantMap, dictionary);
    QFETCH(QString, number);
    const qsizetype before = m_host.reports().size();
    m_plugin.searchFor(dictionary, &m_host);
    // Answered before searchFor returns, without a request.
    QCOMPARE(m_host.reports().size(), before + 1);
    QCOMPARE(m_host.reports().last(), 1);
    QCOMPARE(numbers(), QStringList{number});
    QCOMPARE(titles(), QStringList{u"IMDB #:"_qs + number});
    QCOMPARE(m_site.requests().size(), 0);
}

void SearchTest::dictionaryRulesPickTheQuery_data()
{
    QTest::addColumn<QVariantMap>("dictionary");
    QTest::addColumn<QByteArray>("target");
    QTest::newRow("keyword before number")
        << QVariantMap{{u"keyword"_qs, u"Archer"_qs}, {u"imdb"_qs, u"0111161"_qs}}
        << QByteArray("/find?s=tt&q=Archer");
    QTest::newRow("original title before title")
        << QVariantMap{{u"originalTitle"_qs, u"Archer"_qs}, {u"title"_qs, u"Other"_qs}}
        << QByteArray("/find?s=tt&q=Archer");
    QTest::newRow("empty original title")
        << QVariantMap{{u"originalTitle"_qs, QString()}, {u"title"_qs, u"Archer"_qs}}
        << QByteArray("/find?s=tt&q=Archer");
    QTest::newRow("address of another site")
        << QVariantMap{{u"url"_qs, u"https://example.org/title/tt1/"_qs},
                       {u"title"_qs, u"Archer"_qs}}
        << QByteArray("/find?s=tt&q=Archer");
}

void SearchTest::dictionaryRulesPickTheQuery()
{
    QFETCH(QVariantMap, dictionary);
    QFETCH(QByteArray, target);
    search(dictionary);
    QCOMPARE(m_site.requests().size(), 1);
    QCOMPARE(m_site.requests().first().target, target);
    QVERIFY(m_site.requests().first().secure);
    QCOMPARE(numbers().size(), 5);
}

void SearchTest::searchesThatNameNothingReportZeroOnce()
{
    search({});
    QVERIFY(numbers().isEmpty());
    // The previous search's results do not outlive a search that names nothing.
    search({{u"title"_qs, u"tt0111161"_qs}});
    QCOMPARE(numbers().size(), 1);
    search({{u"url"_qs, u"https://127.0.0.1/title/tt/"_qs}});
    QVERIFY(numbers().isEmpty());
    search({{u"title"_qs, QString()}, {u"originalTitle"_qs, QString()}});
    QVERIFY(numbers().isEmpty());
    QCOMPARE(m_site.requests().size(), 0);
}

void SearchTest::queriesAreEncodedIntoTheAddress_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QByteArray>("target");
    QTest::newRow("spaces") << u"The Matrix Reloaded"_qs
                            << QByteArray("/find?s=tt&q=The+Matrix+Reloaded");
    QTest::newRow("semicolon") << u"Star Trek; The Next"_qs
                               << QByteArray("/find?s=tt&q=Star+Trek%20+The+Next");
    QTest::newRow("quotes, hash, percent")
        << u"Tom & \"Jerry\" #1 100%"_qs
        << QByteArray("/find?s=tt&q=Tom+&+%22Jerry%22+%231+100%25");
    QTest::newRow("composed") << u"Ame\u0301lie"_qs << QByteArray("/find?s=tt&q=Am%C3%A9lie");
    QTest::newRow("non-Latin") << u"\u5343\u3068\u5343\u5C0B"_qs
                               << QByteArray("/find?s=tt&q=%E5%8D%83%E3%81%A8%E5%8D%83%E5%B0%8B");
}

void SearchTest::queriesAreEncodedIntoTheAddress()
{
    QFETCH(QString, title);
    QFETCH(QByteArray, target);
    search({{u"title"_qs, title}});
    QCOMPARE(m_site.requests().size(), 1);
    QCOMPARE(m_site.requests().first().target, target);
}

void SearchTest::eachWebViewReadsTheResultsList()
{
    // The saved page lists five titles; the newer layout writes no year after the link.
    const QStringList archer = {u"1486217"_qs, u"5806646"_qs, u"0088735"_qs, u"0072468"_qs,
                                u"0060490"_qs};
    search({{u"title"_qs, u"Archer"_qs}, {u"theatrical"_qs, QDate(2009, 9, 17)}});
    QCOMPARE(numbers(), archer);
    QCOMPARE(titles(), QStringList({u"Archer"_qs, u"The Archer"_qs, u"Archer"_qs, u"Archer"_qs,
                                    u"Harper"_qs}));
    // The one request is a browser's.
    QVERIFY(m_site.requests().first().headers.value("user-agent").startsWith("Mozilla/5.0"));
    // A list the page's script adds: only the browser engine sees it.
    search({{u"title"_qs, u"Alien"_qs}});
    QVERIFY(numbers().isEmpty());

    if (!WebView::browserAvailable())
        QSKIP("built without the browser engine");
    WebView::setPreferredKind(WebView::Kind::Browser);
    IMDB plugin;
    plugin.searchFor({{u"title"_qs, u"Archer"_qs}}, &m_host);
    QVERIFY(m_host.waitForReports(int(m_host.reports().size()) + 1, 60000));
    QCOMPARE(plugin.resultsURLs(), archer);
    QCOMPARE(plugin.resultsTitles().first(), u"Archer"_qs);
    plugin.searchFor({{u"title"_qs, u"Alien"_qs}}, &m_host);
    QVERIFY(m_host.waitForReports(int(m_host.reports().size()) + 1, 60000));
    QCOMPARE(plugin.resultsURLs(), QStringList({u"0078748"_qs, u"0090605"_qs}));
    QCOMPARE(plugin.resultsTitles(), QStringList({u"Alien"_qs, u"Aliens"_qs}));
}

void SearchTest::failedLoadsReportZeroOnce()
{
    // A page without the results list (the site's 404 page).
    search({{u"title"_qs, u"Unknown Title"_qs}});
    QVERIFY(numbers().isEmpty());

    // A page that never comes, in each web view.
    WebView::setLoadTimeoutMs(1000);
    for (WebView::Kind kind : {WebView::Kind::Static, WebView::Kind::Browser}) {
        if (kind == WebView::Kind::Browser && !WebView::browserAvailable())
            continue;
        WebView::setPreferredKind(kind);
        IMDB plugin;
        QElapsedTimer timer;
        timer.start();
        const qsizetype before = m_host.reports().size();
        plugin.searchFor({{u"title"_qs, u"Never"_qs}}, &m_host);
        QVERIFY(m_host.waitForReports(int(before) + 1, 20000));
        QTest::qWait(200);
        QCOMPARE(m_host.reports().size(), before + 1);
        QCOMPARE(m_host.reports().last(), 0);
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    }

    // A site nobody answers for.
    const QByteArray port = qgetenv("IMDB_HTTPS_PORT");
    qputenv("IMDB_HTTPS_PORT", "1");
    WebView::setPreferredKind(WebView::Kind::Static);
    search({{u"title"_qs, u"Archer"_qs}});
    QVERIFY(numbers().isEmpty());
    qputenv("IMDB_HTTPS_PORT", port);
}

void SearchTest::newSearchAbandonsTheOneLoading()
{
    // A search whose page never comes, then one answered at once: one report each, and the
    // first never reports later.
    const qsizetype before = m_host.reports().size();
    m_plugin.searchFor({{u"title"_qs, u"Never"_qs}}, &m_host);
    m_plugin.searchFor({{u"imdb"_qs, u"0111161"_qs}}, &m_host);
    QCOMPARE(m_host.reports().size(), before + 1);
    search({{u"title"_qs, u"Archer"_qs}});
    QCOMPARE(m_host.reports().size(), before + 2);
    QCOMPARE(numbers().size(), 5);
}

void SearchTest::olderResultsPagesThroughDownloadedData()
{
    const qsizetype before = m_host.reports().size();
    feed(u"find-old/wall-e-2014-01.html"_qs);
    QCOMPARE(m_host.reports().size(), before + 2);
    // The page is UTF-8: the middle dot and the accents survive.
    QCOMPARE(titles().at(0), u"WALL\u00B7E (2008)"_qs);
    QCOMPARE(numbers().at(0), u"0910970"_qs);
    QCOMPARE(titles().at(1), u"Wall-E (2008)"_qs);
    QCOMPARE(numbers().at(1), u"1799689"_qs);
    QVERIFY(titles().contains(u"La fois o\u00F9 il a pri\u00E9 Wall-e (2013)"_qs));
    // A hit without a year is shown by its title alone.
    QCOMPARE(titles().at(numbers().indexOf(u"1292608"_qs)), u"Wall-E"_qs);

    // A disambiguation mark before the year.
    feed(u"find-old/lord-of-the-rings-fellowship-2014-06.html"_qs);
    QCOMPARE(titles().at(0), u"The Lord of the Rings: The Fellowship of the Ring (2001)"_qs);
    QCOMPARE(titles().at(numbers().indexOf(u"0018328"_qs)), u"The Ring (1927)"_qs);
    QCOMPARE(titles().at(numbers().indexOf(u"1905094"_qs)), u"With This Ring (2011)"_qs);

    // A page with no title link at all.
    feed(u"find-old/looney-tunes-no-results-2021-08.html"_qs);
    QCOMPARE(m_host.reports().last(), 0);
    // Data that is not UTF-8 reads as nothing.
    m_plugin.downloadDataComplete(QByteArray("\xff\xfe<a href=\"/title/tt0000001/\">x</a>"));
    QCOMPARE(m_host.reports().last(), 0);
}

void SearchTest::yearMatchingHitsComeFirst()
{
    feed(u"find-old/star-trek-2018-08.html"_qs, {{u"theatrical"_qs, QDate(2009, 5, 8)}});
    // The page lists Star Trek (1966) first and Star Trek (2009) second; the entry's year
    // brings the 2009 hits to the front, in page order.
    QCOMPARE(titles().at(0), u"Star Trek (2009)"_qs);
    QCOMPARE(numbers().at(0), u"0796366"_qs);
    QCOMPARE(titles().at(1), u"Star Trek: To Boldly Go (2009)"_qs);
    QCOMPARE(numbers().at(1), u"1556234"_qs);
    const qsizetype firstOther = numbers().indexOf(u"0060028"_qs);
    QVERIFY(firstOther > 5);
    QCOMPARE(titles().at(firstOther), u"Star Trek (1966)"_qs);
    QCOMPARE(titles().at(firstOther + 1), u"Star Trek: Discovery (2017)"_qs);
    for (qsizetype i = 0; i < titles().size(); ++i)
        QCOMPARE(titles().at(i).endsWith(u"(2009)"), i < firstOther);
    // Listed several times on the page, shown once, where it first stood.
    QCOMPARE(numbers().count(u"1566050"_qs), 1);
    QCOMPARE(titles().at(numbers().indexOf(u"4756228"_qs)), u"Untitled Star Trek Sequel"_qs);

    // Without a year the page order stands.
    feed(u"find-old/star-trek-2018-08.html"_qs);
    QCOMPARE(numbers().mid(0, 3), QStringList({u"0060028"_qs, u"0796366"_qs, u"5171438"_qs}));
}

void SearchTest::titlePagesGiveOneResult()
{
    feed(u"search/title-page-answer.html"_qs);
    QCOMPARE(titles(), QStringList{u"Tom & Jerry"_qs});
    QCOMPARE(numbers(), QStringList{u"0032021"_qs});
    // A newer title page wraps its heading's title in a span.
    feed(u"title-2010s/matrix-tt0133093-2014-06.html"_qs);
    QCOMPARE(titles(), QStringList{u"The Matrix (1999)"_qs});
    QCOMPARE(numbers(), QStringList{u"0133093"_qs});
    // The older layout names the title in its meta data.
    search({{u"title"_qs, u"nothing here"_qs}});
    m_plugin.downloadComplete(
        QString::fromLatin1(readTestData(u"title-old/troy-tt0332452-2009-combined.html"_qs)));
    QCOMPARE(titles(), QStringList{u"Troy (2004)"_qs});
    QCOMPARE(numbers(), QStringList{u"0332452"_qs});
}

void SearchTest::brokenAndHugeResultsLists()
{
    QString page;
    for (int i = 0; i < 10000; ++i)
        page += u"<a href=\"/title/tt%1/\">Title &amp; %1</a> (19%2) "_qs.arg(i, 7, 10, QChar(u'0'))
                    .arg(i % 100, 2, 10, QChar(u'0'));
    page +=
        u"<a href=\"/title/tt0000001/\">Again</a> (1900) <a href=\"/title/ttabc/\">No digits</a>"
        u"<a href=\"/title/tt/\">Empty</a><a href=\"/title/tt0123456/\">Cut off"_qs;
    QElapsedTimer timer;
    timer.start();
    search({{u"title"_qs, u"nothing here"_qs}});
    m_plugin.downloadComplete(page);
    QVERIFY2(timer.elapsed() < timeLimitMs(3000), qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(numbers().size(), 10001);
    QCOMPARE(titles().at(1), u"Title & 0000001 (1901)"_qs);
    QCOMPARE(numbers().last(), u"0123456"_qs);
    QCOMPARE(titles().last(), u"Cut off"_qs);

    for (const char *broken : {"<a href=\"/title/tt", "href=\"/title/tt1234567/", "</a></a><<<>>>",
                               "href=\"/title/tt1234567/\"><img src=x>", ""}) {
        search({{u"title"_qs, u"nothing here"_qs}});
        m_plugin.downloadComplete(QString::fromLatin1(broken));
        QVERIFY(numbers().isEmpty());
    }
}

IMDB_TEST_MAIN(SearchTest)
#include "tst_search.moc"
