// The one blocking request every page fetch uses, over real loopback HTTP and HTTPS.

#include "platform/CookieStore.h"
#include "platform/SiteConfig.h"
#include "platform/SyncHttp.h"
#include "tests/support/TestMain.h"
#include "tests/support/TestSite.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSslCertificate>

#include <functional>
#include <thread>

using namespace platform;
using namespace std::chrono_literals;

namespace {

TestSite::Route route(const QString &target, const QByteArray &body,
                      const std::function<void(TestSite::Route &)> &change = {})
{
    TestSite::Route r;
    r.target = target;
    r.body = body;
    if (change)
        change(r);
    return r;
}

} // namespace

class SyncHttpTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void fetchesOverBothSchemes();
    void bodies_data();
    void bodies();
    void worksOnAnotherThread();
    void tlsIsVerified();
    void browserEngineChainsMustVerify();
    void cookiesAreSharedAndKept();
    void userAgentIsTheCallersOrTheDefault();
    void sitePortsAreRoutedOnlyForTheSite();

private:
    QUrl https(const QString &path) const;
    QUrl http(const QString &path) const;
    TestSite m_site;
};

QUrl SyncHttpTest::https(const QString &path) const
{
    return site::address(site::Scheme::Https, site::Host::Www, path);
}

QUrl SyncHttpTest::http(const QString &path) const
{
    return site::address(site::Scheme::Http, site::Host::Bare, path);
}

void SyncHttpTest::initTestCase()
{
    CookieStore::shared().setStorageFile(QDir::temp().filePath(u"imdb-cookies-test"_qs));
    CookieStore::shared().clear();
    const QList<TestSite::Route> routes = {
        route(u"/page"_qs, "<html>hello</html>"),
        route(u"/missing"_qs, "no such title", [](auto &r) { r.status = 404; }),
        route(u"/failing"_qs, "server trouble", [](auto &r) { r.status = 500; }),
        route(u"/never"_qs, "page", [](auto &r) { r.neverAnswer = true; }),
        route(u"/slow"_qs, "page", [](auto &r) { r.slow = true; }),
        route(u"/reset"_qs, QByteArray(200000, 'r'), [](auto &r) { r.reset = true; }),
        route(u"/truncated"_qs, QByteArray(5000, 't'), [](auto &r) { r.truncateAt = 100; }),
        route(u"/huge"_qs, "", [](auto &r) { r.hugeBytes = qint64(50) * 1024 * 1024; }),
        route(u"/large"_qs, "", [](auto &r) { r.hugeBytes = qint64(3) * 1024 * 1024; }),
        route(u"/bomb"_qs, "", [](auto &r) { r.gzipBomb = true; }),
        route(u"/hop"_qs, "", [](auto &r) { r.redirectTo = u"/page"_qs; }),
        route(u"/loop-a"_qs, "", [](auto &r) { r.redirectTo = u"/loop-b"_qs; }),
        route(u"/loop-b"_qs, "", [](auto &r) { r.redirectTo = u"/loop-a"_qs; }),
        route(u"/cookie"_qs, "crumbs",
              [](auto &r) { r.setCookie = "session-id=123-456;Max-Age=3600;Path=/"; }),
    };
    for (const TestSite::Route &r : routes)
        m_site.addRoute(r);
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void SyncHttpTest::fetchesOverBothSchemes()
{
    QCOMPARE(fetchSynchronously({https(u"/page"_qs), 5s, {}}), QByteArray("<html>hello</html>"));
    QCOMPARE(fetchSynchronously({http(u"/page"_qs), 5s, {}}), QByteArray("<html>hello</html>"));
    const QList<TestSite::Request> requests = m_site.requests();
    QVERIFY(requests.size() >= 2);
    QVERIFY(requests.at(requests.size() - 2).secure);
    QCOMPARE(requests.at(requests.size() - 2).headers.value("host"),
             "localhost:" + QByteArray::number(m_site.httpsPort()));
    QVERIFY(!requests.last().secure);
    QCOMPARE(requests.last().headers.value("host"),
             "127.0.0.1:" + QByteArray::number(m_site.httpPort()));
    // A body under the cap comes whole.
    QCOMPARE(fetchSynchronously({https(u"/large"_qs), 10s, {}}).size(), 3 * 1024 * 1024);
}

void SyncHttpTest::bodies_data()
{
    QTest::addColumn<QUrl>("address");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QByteArray>("body");
    // Answers of any status keep their body.
    QTest::newRow("404") << https(u"/missing"_qs) << 5 << QByteArray("no such title");
    QTest::newRow("500") << https(u"/failing"_qs) << 5 << QByteArray("server trouble");
    QTest::newRow("unrouted") << https(u"/unrouted"_qs) << 5 << QByteArray("not here");
    QTest::newRow("redirect") << https(u"/hop"_qs) << 5 << QByteArray("<html>hello</html>");
    // No body: time-outs (an endless trickle too), broken transfers, bodies over the cap,
    // redirect loops, a port nobody listens on.
    QTest::newRow("never") << https(u"/never"_qs) << 1 << QByteArray();
    QTest::newRow("slow") << https(u"/slow"_qs) << 1 << QByteArray();
    QTest::newRow("reset") << https(u"/reset"_qs) << 5 << QByteArray();
    QTest::newRow("truncated") << http(u"/truncated"_qs) << 5 << QByteArray();
    QTest::newRow("huge") << https(u"/huge"_qs) << 10 << QByteArray();
    QTest::newRow("gzip bomb") << https(u"/bomb"_qs) << 10 << QByteArray();
    QTest::newRow("loop") << https(u"/loop-a"_qs) << 5 << QByteArray();
    QTest::newRow("closed port") << QUrl(u"http://127.0.0.1:1/page"_qs) << 5 << QByteArray();
}

void SyncHttpTest::bodies()
{
    QFETCH(QUrl, address);
    QFETCH(int, seconds);
    QFETCH(QByteArray, body);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(fetchSynchronously({address, std::chrono::seconds(seconds), {}}), body);
    // The limit bounds the whole exchange; a redirect loop ends before it.
    QVERIFY2(timer.elapsed() < qMax(seconds * 1000, 2500),
             qPrintable(QString::number(timer.elapsed())));
}

void SyncHttpTest::worksOnAnotherThread()
{
    QByteArray page;
    QByteArray timedOut = "unset";
    qint64 elapsed = 0;
    std::thread worker([&] {
        page = fetchSynchronously({https(u"/page"_qs), 5s, {}});
        QElapsedTimer timer;
        timer.start();
        timedOut = fetchSynchronously({https(u"/never"_qs), 1s, {}});
        elapsed = timer.elapsed();
    });
    // The main thread stays free meanwhile.
    QTest::qWait(100);
    worker.join();
    QCOMPARE(page, QByteArray("<html>hello</html>"));
    QCOMPARE(timedOut, QByteArray());
    QVERIFY2(elapsed >= 900 && elapsed < 4000, qPrintable(QString::number(elapsed)));
}

void SyncHttpTest::tlsIsVerified()
{
    // Over the bare host, never asked over HTTPS before: Qt keeps TLS sessions and
    // connections per host, and a resumed session skips the certificate check.
    const QUrl address = site::address(site::Scheme::Https, site::Host::Bare, u"/page"_qs);
    const QByteArray caFile = qgetenv("IMDB_CA_FILE");
    qunsetenv("IMDB_CA_FILE");
    QCOMPARE(fetchSynchronously({address, 5s, {}}), QByteArray());
    qputenv("IMDB_CA_FILE", caFile);
}

// What the browser engines accept of the test certificates: a chain that verifies, not any
// chain that merely holds a trusted certificate.
void SyncHttpTest::browserEngineChainsMustVerify()
{
    const auto read = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QSslCertificate::fromData(file.readAll())
                                              : QList<QSslCertificate>();
    };
    const QList<QSslCertificate> site = read(TestSite::certificateFile());
    const QList<QSslCertificate> stranger =
        read(QFileInfo(TestSite::certificateFile()).dir().filePath(u"stranger.pem"_qs));
    QCOMPARE(site.size(), 1);
    QCOMPARE(stranger.size(), 1);
    QVERIFY(site::verifiesWithExtraCaCertificates(site));
    QVERIFY(!site::verifiesWithExtraCaCertificates(stranger));
    QVERIFY(!site::verifiesWithExtraCaCertificates(stranger + site));
    QVERIFY(!site::verifiesWithExtraCaCertificates({}));
    const QByteArray caFile = qgetenv("IMDB_CA_FILE");
    qunsetenv("IMDB_CA_FILE");
    QVERIFY(!site::verifiesWithExtraCaCertificates(stranger));
    qputenv("IMDB_CA_FILE", caFile);
}

void SyncHttpTest::cookiesAreSharedAndKept()
{
    QCOMPARE(fetchSynchronously({https(u"/cookie"_qs), 5s, {}}), QByteArray("crumbs"));
    // A request on another thread sends the cookie the first one received.
    std::thread([&] { fetchSynchronously({https(u"/page"_qs), 5s, {}}); }).join();
    QCOMPARE(m_site.requests().last().headers.value("cookie"), QByteArray("session-id=123-456"));
    // The cookie outlives the process: it is in the store's file.
    QFile file(CookieStore::shared().storageFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("session-id=123-456"));
}

void SyncHttpTest::userAgentIsTheCallersOrTheDefault()
{
    fetchSynchronously({https(u"/page"_qs), 5s, {{"User-Agent", "Test Agent/1"}}});
    QCOMPARE(m_site.requests().last().headers.value("user-agent"), QByteArray("Test Agent/1"));
    fetchSynchronously({https(u"/page"_qs), 5s, {}});
    QVERIFY(m_site.requests().last().headers.value("user-agent").contains("QtNetwork/"));
}

void SyncHttpTest::sitePortsAreRoutedOnlyForTheSite()
{
    const QUrl elsewhere(u"https://example.org/title/tt1/"_qs);
    QCOMPARE(site::routed(elsewhere), elsewhere);
    QCOMPARE(site::routed(QUrl(u"https://localhost/x"_qs)).port(), int(m_site.httpsPort()));
    QCOMPARE(site::routed(QUrl(u"http://127.0.0.1/x"_qs)).port(), int(m_site.httpPort()));
    // An explicit port is the caller's.
    QCOMPARE(site::routed(QUrl(u"http://127.0.0.1:8080/x"_qs)).port(), 8080);
}

IMDB_TEST_MAIN(SyncHttpTest)
#include "tst_synchttp.moc"
