#pragma once

#include "platform/WebView.h"

#include <QTimer>

class QWebEnginePage;

namespace platform {

// A web view over a real browser engine (Qt WebEngine): one page, never shown, that runs the
// site's scripts. Its cookies go into the shared cookie store. Certificates named by
// IMDB_CA_FILE are trusted in addition to the engine's own; nothing else is let through.
class BrowserWebView : public WebView
{
    Q_OBJECT
public:
    explicit BrowserWebView(QObject *parent = nullptr);
    ~BrowserWebView() override;

    void load(const QUrl &url) override;
    void evaluateJavaScript(const QString &script,
                            std::function<void(std::optional<QString>)> completion) override;

    // Loads `url` and waits, running the event loop without user input, until the page has
    // loaded and set a cookie, or its scripts have had a few seconds. For the site's browser
    // check; main thread only.
    static bool visitAndWait(const QUrl &url);

private:
    void loadFinished(bool ok);

    QWebEnginePage *m_page;
    QTimer m_timeout;
    bool m_loading = false;
};

} // namespace platform
