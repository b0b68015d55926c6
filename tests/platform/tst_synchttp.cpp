// The one blocking request every page fetch uses, over real loopback HTTP and HTTPS.

#include "platform/CookieStore.h"
#include "platform/SiteConfig.h"
#include "platform/SyncHttp.h"
#include "tests/support/TestMain.h"
#include "tests/support/TestSite.h"

#include <QElapsedTimer>
#include <QFile>

#include <thread>

using namespace platform;
using namespace std::chrono_literals;

namespace {

TestSite::Route route(const QString &target, const QByteArray &body = "page")
{
    TestSite::Route r;
    r.target = target;
    r.body = body;
    return r;
}

} // namespace

class SyncHttpTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void fetchesOverBothSchemes();
    void answersOfAnyStatusKeepTheirBody();
    void worksOnAnotherThread();
    void timeOutGivesNoBody();
    void brokenTransfersGiveNoBody();
    void bodiesOverTheCapGiveNoBody();
    void followsRedirectsButNotLoops();
    void tlsIsVerified();
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
    m_site.addRoute(route(u"/page"_qs, "<html>hello</html>"));
    auto missing = route(u"/missing"_qs, "no such title");
    missing.status = 404;
    m_site.addRoute(missing);
    auto failing = route(u"/failing"_qs, "server trouble");
    failing.status = 500;
    m_site.addRoute(failing);
    auto never = route(u"/never"_qs);
    never.neverAnswer = true;
    m_site.addRoute(never);
    auto slow = route(u"/slow"_qs);
    slow.slow = true;
    m_site.addRoute(slow);
    auto reset = route(u"/reset"_qs, QByteArray(200000, 'r'));
    reset.reset = true;
    m_site.addRoute(reset);
    auto truncated = route(u"/truncated"_qs, QByteArray(5000, 't'));
    truncated.truncateAt = 100;
    m_site.addRoute(truncated);
    auto huge = route(u"/huge"_qs);
    huge.hugeBytes = qint64(50) * 1024 * 1024;
    m_site.addRoute(huge);
    auto large = route(u"/large"_qs);
    large.hugeBytes = qint64(3) * 1024 * 1024;
    m_site.addRoute(large);
    auto bomb = route(u"/bomb"_qs);
    bomb.gzipBomb = true;
    m_site.addRoute(bomb);
    auto hop = route(u"/hop"_qs);
    hop.redirectTo = u"/page"_qs;
    m_site.addRoute(hop);
    auto loopA = route(u"/loop-a"_qs);
    loopA.redirectTo = u"/loop-b"_qs;
    m_site.addRoute(loopA);
    auto loopB = route(u"/loop-b"_qs);
    loopB.redirectTo = u"/loop-a"_qs;
    m_site.addRoute(loopB);
    auto cookie = route(u"/cookie"_qs, "crumbs");
    cookie.setCookie = "session-id=123-456;Max-Age=3600;Path=/";
    m_site.addRoute(cookie);
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
}

void SyncHttpTest::answersOfAnyStatusKeepTheirBody()
{
    QCOMPARE(fetchSynchronously({https(u"/missing"_qs), 5s, {}}), QByteArray("no such title"));
    QCOMPARE(fetchSynchronously({https(u"/failing"_qs), 5s, {}}), QByteArray("server trouble"));
    QCOMPARE(fetchSynchronously({https(u"/unrouted"_qs), 5s, {}}), QByteArray("not here"));
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

void SyncHttpTest::timeOutGivesNoBody()
{
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(fetchSynchronously({https(u"/never"_qs), 1s, {}}), QByteArray());
    // An endless trickle is cut at the same limit: the limit bounds the whole exchange.
    QCOMPARE(fetchSynchronously({https(u"/slow"_qs), 1s, {}}), QByteArray());
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
}

void SyncHttpTest::brokenTransfersGiveNoBody()
{
    QCOMPARE(fetchSynchronously({https(u"/reset"_qs), 5s, {}}), QByteArray());
    QCOMPARE(fetchSynchronously({http(u"/truncated"_qs), 5s, {}}), QByteArray());
    // Nobody listens on this port.
    QCOMPARE(fetchSynchronously({QUrl(u"http://127.0.0.1:1/page"_qs), 5s, {}}), QByteArray());
}

void SyncHttpTest::bodiesOverTheCapGiveNoBody()
{
    QCOMPARE(fetchSynchronously({https(u"/large"_qs), 10s, {}}).size(), 3 * 1024 * 1024);
    QCOMPARE(fetchSynchronously({https(u"/huge"_qs), 10s, {}}), QByteArray());
    QCOMPARE(fetchSynchronously({https(u"/bomb"_qs), 10s, {}}), QByteArray());
}

void SyncHttpTest::followsRedirectsButNotLoops()
{
    QCOMPARE(fetchSynchronously({https(u"/hop"_qs), 5s, {}}), QByteArray("<html>hello</html>"));
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(fetchSynchronously({https(u"/loop-a"_qs), 5s, {}}), QByteArray());
    QVERIFY(timer.elapsed() < 5000);
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
