// The site's bot check, passed by the browser engine or logged without it.

#include "core/IMDB.h"
#include "platform/CookieStore.h"
#include "platform/SyncHttp.h"
#include "platform/SystemLog.h"
#include "platform/WebView.h"
#include "tests/support/TestMain.h"
#include "tests/support/TestSite.h"

#include <QThread>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

using platform::WebView;
using namespace std::chrono_literals;

class BrowserCheckTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void lookupOnAWorkerThreadPassesTheCheck();
    void requestOnTheMainThreadPassesTheCheck();
    void withoutABrowserTheCheckIsLoggedAndTheLookupFails();

private:
    std::optional<QVariantMap> lookUpOnWorker(const QString &number);

    TestHost m_host;
    TestSite m_site;
    IMDB m_plugin;
};

void BrowserCheckTest::initTestCase()
{
    if (!WebView::browserAvailable())
        QSKIP("built without the browser engine");
    for (const char *number : {"0000051", "0000052", "0000053"}) {
        TestSite::Route checked;
        checked.target = u"/title/tt"_qs + QLatin1String(number);
        checked.body = "<html><head><title>Checked (2002) - IMDb</title></head></html>";
        checked.challenge = true;
        m_site.addRoute(checked);
    }
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void BrowserCheckTest::init()
{
    WebView::setPreferredKind(WebView::Kind::Browser);
    m_site.clearRequests();
}

std::optional<QVariantMap> BrowserCheckTest::lookUpOnWorker(const QString &number)
{
    m_plugin.searchFor({{u"imdb"_qs, number}}, &m_host);
    std::optional<QVariantMap> record;
    QThread *worker = QThread::create([&] { record = m_plugin.resultNumber(0); });
    worker->start();
    // The check runs in the browser engine on this thread: keep its events going.
    [&] { QVERIFY(QTest::qWaitFor([&] { return worker->isFinished(); }, 60000)); }();
    worker->wait();
    delete worker;
    return record;
}

void BrowserCheckTest::lookupOnAWorkerThreadPassesTheCheck()
{
    const std::optional<QVariantMap> record = lookUpOnWorker(u"0000051"_qs);
    QVERIFY(record);
    QCOMPARE(record->value(u"title"_qs).toString(), u"Checked"_qs);
    // The plain request, the browser's visit, and the plain request again, now with the
    // cookie the check's script set.
    const QList<TestSite::Request> requests = m_site.requests();
    QVERIFY(requests.size() >= 3);
    QVERIFY(!requests.first().headers.value("cookie").contains(TestSite::challengeCookie));
    QVERIFY(requests.last().headers.value("cookie").contains(TestSite::challengeCookie));
    QVERIFY(requests.last().headers.value("user-agent").contains("Safari/605.1.15"));
}

void BrowserCheckTest::requestOnTheMainThreadPassesTheCheck()
{
    // Both sides forget the cookie of the first test.
    platform::CookieStore::shared().clear();
    QWebEngineProfile::defaultProfile()->cookieStore()->deleteAllCookies();
    QTest::qWait(100);
    const QUrl address(u"https://localhost:%1/title/tt0000052"_qs.arg(m_site.httpsPort()));
    const QByteArray page = platform::fetchSynchronously({address, 20s, {}});
    QVERIFY(page.contains("Checked (2002)"));
    QVERIFY(!m_site.requests().first().headers.value("cookie").contains(TestSite::challengeCookie));
}

void BrowserCheckTest::withoutABrowserTheCheckIsLoggedAndTheLookupFails()
{
    WebView::setPreferredKind(WebView::Kind::Static);
    // On the bare host: the check's cookie, set for the www host by the earlier tests, is
    // not sent there.
    const QUrl address(u"https://127.0.0.1:%1/title/tt0000053"_qs.arg(m_site.httpsPort()));
    platform::LogCapture log;
    QCOMPARE(platform::fetchSynchronously({address, 20s, {}}), QByteArray());
    QCOMPARE(log.lines().size(), 1);
    QVERIFY(log.lines().first().contains(u"browser check"_qs));
}

IMDB_TEST_MAIN(BrowserCheckTest)
#include "tst_browser_check.moc"
