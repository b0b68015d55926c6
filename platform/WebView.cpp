#include "platform/WebView.h"

#include "platform/StaticWebView.h"
#ifdef IMDB_WITH_WEBENGINE
#include "platform/BrowserWebView.h"
#endif

#include <QCoreApplication>
#include <QThread>

#include <atomic>

namespace platform {
namespace {
std::atomic<WebView::Kind> chosenKind{WebView::browserAvailable() ? WebView::Kind::Browser
                                                                  : WebView::Kind::Static};
std::atomic<int> loadTimeout{30000};
} // namespace

int WebView::loadTimeoutMs()
{
    return loadTimeout.load();
}

void WebView::setLoadTimeoutMs(int milliseconds)
{
    loadTimeout.store(milliseconds);
}

bool WebView::browserAvailable()
{
#ifdef IMDB_WITH_WEBENGINE
    return true;
#else
    return false;
#endif
}

WebView::Kind WebView::preferredKind()
{
    return chosenKind.load();
}

void WebView::setPreferredKind(Kind kind)
{
    chosenKind.store(kind == Kind::Browser && !browserAvailable() ? Kind::Static : kind);
}

std::unique_ptr<WebView> WebView::create(Kind kind)
{
#ifdef IMDB_WITH_WEBENGINE
    if (kind == Kind::Browser)
        return std::make_unique<BrowserWebView>();
#else
    Q_UNUSED(kind);
#endif
    return std::make_unique<StaticWebView>();
}

bool passBrowserCheck(const QUrl &url)
{
#ifdef IMDB_WITH_WEBENGINE
    if (WebView::preferredKind() != WebView::Kind::Browser)
        return false;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    if (QThread::currentThread() == app->thread())
        return BrowserWebView::visitAndWait(url);
    bool passed = false;
    QMetaObject::invokeMethod(
        app, [&] { passed = BrowserWebView::visitAndWait(url); }, Qt::BlockingQueuedConnection);
    return passed;
#else
    Q_UNUSED(url);
    return false;
#endif
}

QByteArray browserUserAgent()
{
    return QByteArrayLiteral("Mozilla/5.0 (Macintosh; Intel Mac OS X 13_2_1) AppleWebKit/605.1.15 "
                             "(KHTML, like Gecko) Version/16.3 Safari/605.1.15");
}

} // namespace platform
