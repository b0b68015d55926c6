// Whole lookups against the test site: the request, the record frame, the debug file, bad pages.

#include "core/IMDB.h"
#include "details/DebugFile.h"
#include "platform/SystemLog.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"
#include "tests/support/TestMain.h"
#include "tests/support/TestSite.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <atomic>
#include <thread>

using platform::UserDefaults::removeObject;
using platform::UserDefaults::setBool;

class LookupTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void indexOutOfRange();
    void titlePageRequest();
    void everySavedPageGivesAFramedRecord_data();
    void everySavedPageGivesAFramedRecord();
    void noPageGivesNoRecord();
    void debugFileReceivesEveryPage();
    void debugFileFailuresAreLogged();
    void brokenStructuredData_data();
    void brokenStructuredData();
    void hugePageStaysFast();
    void optionalPagesComeInParallel();
    void lookupOnAWorkerThread();
    void concurrentSearchNeverTearsALookup();

private:
    // Serves `body` (or the saved `file`) as the title page of `number` and looks it up.
    std::optional<QVariantMap> lookUp(const QString &number, const QByteArray &body,
                                      const QString &file = {});
    std::optional<QVariantMap> lookUpRouted(const QString &number);

    TestHost m_host;
    TestSite m_site{testData(u""_qs)};
    IMDB m_plugin;
    IsolatedEnvironment m_environment;
};

void LookupTest::initTestCase()
{
    TestSite::Route never;
    never.target = u"/title/tt0000404"_qs;
    never.neverAnswer = true;
    m_site.addRoute(never);
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void LookupTest::init()
{
    for (const QString &key : prefs::allKeys())
        removeObject(key);
    m_site.clearRequests();
}

std::optional<QVariantMap> LookupTest::lookUpRouted(const QString &number)
{
    m_plugin.searchFor({{u"imdb"_qs, number}}, &m_host);
    return m_plugin.resultNumber(0);
}

std::optional<QVariantMap> LookupTest::lookUp(const QString &number, const QByteArray &body,
                                              const QString &file)
{
    TestSite::Route route;
    route.target = u"/title/tt"_qs + number;
    route.body = body;
    route.file = file;
    m_site.addRoute(route);
    return lookUpRouted(number);
}

void LookupTest::indexOutOfRange()
{
    m_plugin.searchFor({{u"imdb"_qs, u"0111161"_qs}}, &m_host);
    for (qint64 index : {qint64(1), qint64(-1), qint64(1) << 40}) {
        platform::LogCapture log;
        const std::optional<QVariantMap> record = m_plugin.resultNumber(index);
        QVERIFY(record);
        QCOMPARE(*record, (QVariantMap{{u"title"_qs, u"No Data Found on IMDB"_qs}}));
        QCOMPARE(
            log.lines(),
            QStringList{u"Error: IMDb number for requested out of range number %1"_qs.arg(index)});
    }
    QCOMPARE(m_site.requests().size(), 0);
}

void LookupTest::titlePageRequest()
{
    const std::optional<QVariantMap> record = lookUp(u"0000001"_qs, "<html><body></body></html>");
    QVERIFY(record);
    QCOMPARE(m_site.requests().size(), 1);
    const TestSite::Request request = m_site.requests().first();
    QVERIFY(request.secure);
    QCOMPARE(request.target, QByteArray("/title/tt0000001"));
    QCOMPARE(request.headers.value("host"), "localhost:" + QByteArray::number(m_site.httpsPort()));
    QCOMPARE(request.headers.value("user-agent"),
             QByteArray("Mozilla/5.0 (Macintosh; Intel Mac OS X 13_2_1) AppleWebKit/605.1.15 "
                        "(KHTML, like Gecko) Version/16.3 Safari/605.1.15"));
    QCOMPARE(record->value(u"url"_qs).toString(),
             u"https://localhost:%1/title/tt0000001"_qs.arg(m_site.httpsPort()));
    QCOMPARE(record->value(u"imageLocationArray"_qs).toStringList(), QStringList());
    QVERIFY(!record->contains(u"credits"_qs));
}

void LookupTest::everySavedPageGivesAFramedRecord_data()
{
    QTest::addColumn<QString>("file");
    for (const char *era : {"title-2020s", "title-2010s", "title-old"}) {
        const QDir folder(testData(QString::fromLatin1(era)));
        for (const QString &page : folder.entryList({u"*.html"_qs}, QDir::Files)) {
            const QString file = QString::fromLatin1(era) + u'/' + page;
            QTest::newRow(qPrintable(file)) << file;
        }
    }
}

void LookupTest::everySavedPageGivesAFramedRecord()
{
    QFETCH(QString, file);
    // Every option on, so every group and page request runs (the others get 404 pages).
    for (const QString &key : prefs::allKeys())
        setBool(key, true);
    removeObject(prefs::debugFile);
    static int number = 9100000;
    const QString titleNumber = QString::number(++number);
    QElapsedTimer timer;
    timer.start();
    const std::optional<QVariantMap> record = lookUp(titleNumber, {}, file);
    QVERIFY(record);
    QVERIFY2(timer.elapsed() < timeLimitMs(5000), qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(record->value(u"imdb"_qs).toString(), titleNumber);
    QVERIFY(record->value(u"url"_qs).toString().endsWith(u"/title/tt"_qs + titleNumber));
    QCOMPARE(record->value(u"locale"_qs).toString(), u"US"_qs);
    QCOMPARE(record->value(u"localeLanguage"_qs).toString(), u"en"_qs);
    QVERIFY(record->value(u"imageLocationArray"_qs).canConvert<QStringList>());
    // Every page is a title page: each names its title.
    QVERIFY(!record->value(u"title"_qs).toString().isEmpty());
    // Nothing is stored empty-handed: no null values.
    for (auto it = record->cbegin(); it != record->cend(); ++it)
        QVERIFY2(it.value().isValid() && !it.value().isNull(), qPrintable(it.key()));
}

void LookupTest::noPageGivesNoRecord()
{
    // No answer at all, and an answer without a body.
    QElapsedTimer timer;
    timer.start();
    TestSite::Route empty;
    empty.target = u"/title/tt0000204"_qs;
    empty.status = 204;
    m_site.addRoute(empty);
    QVERIFY(!lookUpRouted(u"0000204"_qs));
    const QByteArray port = qgetenv("IMDB_HTTPS_PORT");
    qputenv("IMDB_HTTPS_PORT", "1");
    QVERIFY(!lookUpRouted(u"0000001"_qs));
    qputenv("IMDB_HTTPS_PORT", port);
    QVERIFY(timer.elapsed() < timeLimitMs(5000));
}

void LookupTest::debugFileReceivesEveryPage()
{
    QFile::remove(details::debugFilePath());
    setBool(prefs::debugFile, true);
    QVERIFY(lookUp(u"0000011"_qs, "<html>first</html>"));
    QVERIFY(lookUp(u"0000012"_qs, "<html>second</html>"));
    QFile file(details::debugFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(details::debugFilePath().startsWith(m_environment.home() + u"/Desktop/"_qs));
    const QString base = u"https://localhost:%1/title/tt"_qs.arg(m_site.httpsPort());
    QCOMPARE(QString::fromUtf8(file.readAll()),
             base + u"0000011\n\n<html>first</html>\n--END--\n\n\n"_qs + base +
                 u"0000012\n\n<html>second</html>\n--END--\n\n\n"_qs);

    // A page that never came leaves its address alone.
    file.close();
    QFile::remove(details::debugFilePath());
    QVERIFY(!lookUp(u"0000013"_qs, QByteArray()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), base + u"0000013\n\n"_qs);
    file.close();

    // Off again: nothing more is written.
    removeObject(prefs::debugFile);
    QVERIFY(lookUp(u"0000014"_qs, "<html>third</html>"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("third"));
}

void LookupTest::debugFileFailuresAreLogged()
{
    const QString path = details::debugFilePath();
    QFile::remove(path);
    // A folder where the file should be cannot be opened for appending...
    QVERIFY(QDir().mkpath(path));
    {
        platform::LogCapture log;
        details::addToDebugFile(u"text"_qs);
        QCOMPARE(log.lines(), QStringList{u"Can't open fileHandle"_qs});
    }
    QDir(path).removeRecursively();
    // ...and a Desktop that is a file cannot take a new one.
    const QString desktop = QFileInfo(path).absolutePath();
    QDir(desktop).removeRecursively();
    {
        QFile blocker(desktop);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    {
        platform::LogCapture log;
        details::addToDebugFile(u"text"_qs);
        QCOMPARE(log.lines(), QStringList{u"Can't Write"_qs});
    }
    QFile::remove(desktop);
    // The lookup goes on either way.
    details::addToDebugFile(u"text"_qs);
    QVERIFY(QFile::exists(path));
}

void LookupTest::brokenStructuredData_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("not JSON") << QByteArray("{\"name\": \"Alien\", ");
    QTest::newRow("an array") << QByteArray("[{\"name\": \"Alien\"}]");
    QTest::newRow("deeply nested") << QByteArray(100000, '[') + QByteArray(100000, ']');
    QTest::newRow("wrong types") << QByteArray(
        "{\"name\": 7, \"alternateName\": [1], \"image\": {\"url\": \"x\"},"
        " \"director\": \"Ridley Scott\", \"creator\": {\"name\": \"x\"},"
        " \"actor\": 5, \"genre\": {\"a\": 1}, \"duration\": 117,"
        " \"aggregateRating\": \"8.5\", \"datePublished\": 1979,"
        " \"dateCreated\": [1979], \"keywords\": 3, \"description\": [],"
        " \"contentRating\": false}");
    QTest::newRow("a text") << QByteArray("\"PT2H\"");
    QTest::newRow("numbers where texts belong")
        << QByteArray("{\"name\": 1, \"alternateName\": 2, \"image\": 3, \"dateCreated\": 1999, "
                      "\"datePublished\": 19990505, \"duration\": 120, \"aggregateRating\": "
                      "{\"ratingValue\": true, \"ratingCount\": \"many\"}}");
    QTest::newRow("objects where lists and texts belong")
        << QByteArray("{\"name\": {\"t\": \"A\"}, \"image\": [\"i.jpg\"], \"dateCreated\": "
                      "[1999], \"duration\": {\"h\": 2}, \"aggregateRating\": [8, 5]}");
    QTest::newRow("nulls") << QByteArray(
        "{\"name\": null, \"image\": null, \"aggregateRating\": null}");
    QTest::newRow("empty") << QByteArray();
}

void LookupTest::brokenStructuredData()
{
    QFETCH(QByteArray, json);
    for (const QString &key : prefs::allKeys())
        setBool(key, true);
    removeObject(prefs::debugFile);
    const QByteArray page = "<html><head><title>Alien (1979) - IMDb</title>"
                            "<script type=\"application/ld+json\">" +
                            json + "</script></head><body></body></html>";
    static int number = 9200000;
    const std::optional<QVariantMap> record = lookUp(QString::number(++number), page);
    QVERIFY(record);
    // The markup still gives what it holds; the structured data gives nothing.
    QCOMPARE(record->value(u"title"_qs).toString(), u"Alien"_qs);
    for (const char *key : {"director", "creator", "genre", "duration", "rating", "starring",
                            "tags", "summary", "rated", "releaseDate", "theatrical",
                            "originalTitle", "series", "season", "episode", "myRating"})
        QVERIFY2(!record->contains(QString::fromLatin1(key)), key);
    QCOMPARE(record->value(u"imageLocationArray"_qs).toStringList(), QStringList());
}

void LookupTest::hugePageStaysFast()
{
    // 30 MB of markup full of half-markers, no structured data.
    QByteArray page = "<html><head><title>Huge (2001) - IMDb</title></head><body>";
    const QByteArray filler = "<li class=\"x\"><a href=\"/name/nm1/\">Name</a> \"director\": {"
                              "=\"title-cast-item\" <div class=\"rating\"> Release Date:</";
    while (page.size() < qsizetype(30) * 1024 * 1024)
        page += filler;
    QElapsedTimer timer;
    timer.start();
    const std::optional<QVariantMap> record = lookUp(u"0003000"_qs, page);
    QVERIFY(record);
    QCOMPARE(record->value(u"title"_qs).toString(), u"Huge"_qs);
    QVERIFY2(timer.elapsed() < timeLimitMs(6000), qPrintable(QString::number(timer.elapsed())));
}

void LookupTest::optionalPagesComeInParallel()
{
    // Every answer comes 600 ms late. With both options on, the full-credits and keywords
    // pages are asked for together with the title page: the lookup takes one delay, not three.
    setBool(prefs::credits, true);
    setBool(prefs::additionalPlotKeywords, true);
    for (const char *path :
         {"/title/tt0000041", "/title/tt0000041/fullcredits", "/title/tt0000041/keywords"}) {
        TestSite::Route route;
        route.target = QString::fromLatin1(path);
        route.body = "<html><title>Parallel (2001) - IMDb</title></html>";
        m_site.addRoute(route);
    }
    m_site.setGlobalDelay(600);
    m_plugin.searchFor({{u"imdb"_qs, u"0000041"_qs}}, &m_host);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_plugin.resultNumber(0));
    const qint64 elapsed = timer.elapsed();
    m_site.setGlobalDelay(0);
    QVERIFY2(elapsed >= 600 && elapsed < 1100, qPrintable(QString::number(elapsed)));
    QCOMPARE(m_site.requestCount("/title/tt0000041/fullcredits"), 1);
    QCOMPARE(m_site.requestCount("/title/tt0000041/keywords"), 1);

    // With the options off, a series still gets its full-credits page, asked for only once
    // the title page has shown it is one; the keywords page is never asked for.
    removeObject(prefs::credits);
    removeObject(prefs::additionalPlotKeywords);
    m_site.clearRequests();
    TestSite::Route series;
    series.target = u"/title/tt0000042"_qs;
    series.body =
        "<html><title>Serial (TV Series 2001\u2013 ) - IMDb</title>(TV Series 2001)</html>";
    m_site.addRoute(series);
    m_plugin.searchFor({{u"imdb"_qs, u"0000042"_qs}}, &m_host);
    QVERIFY(m_plugin.resultNumber(0));
    QCOMPARE(m_site.requests().size(), 2);
    QCOMPARE(m_site.requests().at(0).target, QByteArray("/title/tt0000042"));
    QCOMPARE(m_site.requests().at(1).target, QByteArray("/title/tt0000042/fullcredits"));
}

void LookupTest::lookupOnAWorkerThread()
{
    m_host.setCustomFields({{u"IMDb Votes"_qs, u"votes"_qs}});
    TestSite::Route route;
    route.target = u"/title/tt0000021"_qs;
    route.body = "<html><title>Worker (2000) - IMDb</title></html>";
    m_site.addRoute(route);
    m_plugin.searchFor({{u"imdb"_qs, u"0000021"_qs}}, &m_host);
    std::optional<QVariantMap> record;
    QThread *worker = QThread::create([&] { record = m_plugin.resultNumber(0); });
    worker->start();
    // The lookup asks the main thread for the fields controller: keep its events going.
    QVERIFY(QTest::qWaitFor([&] { return worker->isFinished(); }, 10000));
    worker->wait();
    delete worker;
    QVERIFY(record);
    QCOMPARE(record->value(u"title"_qs).toString(), u"Worker"_qs);
    QCOMPARE(m_host.fieldsControllerThread(), QThread::currentThread());
    m_host.setCustomFields({});
}

void LookupTest::concurrentSearchNeverTearsALookup()
{
    TestSite::Route route;
    route.target = u"/title/tt*"_qs;
    route.body = "<html><title>Any (2000) - IMDb</title></html>";
    m_site.addRoute(route);
    m_plugin.searchFor({{u"imdb"_qs, u"0000031"_qs}}, &m_host);
    std::atomic<bool> done = false;
    std::atomic<int> records = 0;
    std::thread worker([&] {
        for (int i = 0; i < 40; ++i) {
            const std::optional<QVariantMap> record = m_plugin.resultNumber(0);
            const QString number = record ? record->value(u"imdb"_qs).toString() : QString();
            if (number == u"0000031" || number == u"0000032")
                ++records;
        }
        done = true;
    });
    // Meanwhile the main thread starts search after search, each replacing the results.
    while (!done) {
        m_plugin.searchFor({{u"imdb"_qs, u"0000031"_qs}}, &m_host);
        m_plugin.searchFor({{u"imdb"_qs, u"0000032"_qs}}, &m_host);
        QCoreApplication::processEvents();
    }
    worker.join();
    QCOMPARE(records.load(), 40);
}

IMDB_TEST_MAIN(LookupTest)
#include "tst_lookup.moc"
