#include "platform/BrowserWebView.h"

#include "platform/CookieStore.h"
#include "platform/SiteConfig.h"

#include <QEventLoop>
#include <QWebEngineCertificateError>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineProfile>

namespace platform {
namespace {

// A page that trusts the test certificates in addition to the engine's own store.
class SitePage : public QWebEnginePage
{
public:
    explicit SitePage(QObject *parent) : QWebEnginePage(parent)
    {
        connect(this, &QWebEnginePage::certificateError, this,
                [](const QWebEngineCertificateError &error) {
                    QWebEngineCertificateError decision = error;
                    if (site::verifiesWithExtraCaCertificates(error.certificateChain()))
                        decision.acceptCertificate();
                    else
                        decision.rejectCertificate();
                });
    }
};

// The engine's cookies flow into the shared store as they arrive, and the shared store's
// cookies are handed to the engine once, so both sides speak to the site as one client.
void joinCookieStores()
{
    static bool joined = false;
    if (joined)
        return;
    joined = true;
    QWebEngineProfile *profile = QWebEngineProfile::defaultProfile();
    QWebEngineCookieStore *engineStore = profile->cookieStore();
    QObject::connect(
        engineStore, &QWebEngineCookieStore::cookieAdded,
        [](const QNetworkCookie &cookie) { CookieStore::shared().insertCookie(cookie); });
    for (const QNetworkCookie &cookie : CookieStore::shared().allCookies())
        engineStore->setCookie(cookie);
}

} // namespace

BrowserWebView::BrowserWebView(QObject *parent) : WebView(parent)
{
    joinCookieStores();
    m_page = new SitePage(this);
    connect(m_page, &QWebEnginePage::loadFinished, this, &BrowserWebView::loadFinished);
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        if (!m_loading)
            return;
        m_loading = false;
        m_page->triggerAction(QWebEnginePage::Stop);
        Q_EMIT didFailNavigation();
    });
}

BrowserWebView::~BrowserWebView() = default;

void BrowserWebView::load(const QUrl &url)
{
    m_loading = true;
    m_timeout.start(loadTimeoutMs());
    m_page->load(site::routed(url));
}

void BrowserWebView::loadFinished(bool ok)
{
    if (!m_loading)
        return;
    m_loading = false;
    m_timeout.stop();
    if (ok)
        Q_EMIT didFinishNavigation();
    else
        Q_EMIT didFailNavigation();
}

void BrowserWebView::evaluateJavaScript(const QString &script,
                                        std::function<void(std::optional<QString>)> completion)
{
    m_page->runJavaScript(script, [completion = std::move(completion)](const QVariant &value) {
        if (value.typeId() == QMetaType::QString)
            completion(value.toString());
        else
            completion(std::nullopt);
    });
}

bool BrowserWebView::visitAndWait(const QUrl &url)
{
    // A check page sets its cookie from a script, which may run before or after the page has
    // finished loading: wait for a cookie, or give the scripts a few seconds.
    constexpr int settleMs = 3000;
    BrowserWebView view;
    QEventLoop loop;
    bool loaded = false;
    bool cookieArrived = false;
    connect(QWebEngineProfile::defaultProfile()->cookieStore(), &QWebEngineCookieStore::cookieAdded,
            &loop, [&] {
                cookieArrived = true;
                if (loaded)
                    loop.quit();
            });
    connect(&view, &WebView::didFinishNavigation, &loop, [&] {
        loaded = true;
        if (cookieArrived)
            loop.quit();
        else
            QTimer::singleShot(settleMs, &loop, &QEventLoop::quit);
    });
    connect(&view, &WebView::didFailNavigation, &loop, &QEventLoop::quit);
    view.load(url);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return loaded;
}

} // namespace platform
