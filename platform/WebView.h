#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

namespace platform {

// An invisible web view: loads one page at a time and evaluates a script in it. A finished
// (or failed) load is reported later, from the event loop, never from inside load(); a new
// load abandons the one in progress, which then reports nothing.
class WebView : public QObject
{
    Q_OBJECT
public:
    enum class Kind {
        // A real browser engine: runs the page's scripts.
        Browser,
        // One GET and an HTML5 parser: runs no scripts, and evaluates only the element
        // lookup of the form document.getElementsByClassName("…")[0].innerHTML.
        Static,
    };

    // Whether this build has the browser engine.
    static bool browserAvailable();
    // The kind create() makes; the host's choice, Browser by default when available.
    static Kind preferredKind();
    static void setPreferredKind(Kind kind);
    static std::unique_ptr<WebView> create(Kind kind);
    static std::unique_ptr<WebView> create() { return create(preferredKind()); }

    // How long a load may take before it counts as failed (30 s unless changed).
    static int loadTimeoutMs();
    static void setLoadTimeoutMs(int milliseconds);

    virtual void load(const QUrl &url) = 0;
    // Evaluates `script` in the loaded page; `completion` receives the result as text, or
    // nothing when the script failed or its value is not text. Called from the event loop.
    virtual void evaluateJavaScript(const QString &script,
                                    std::function<void(std::optional<QString>)> completion) = 0;

Q_SIGNALS:
    void didFinishNavigation();
    void didFailNavigation();

protected:
    using QObject::QObject;
};

// The browser User-Agent that page requests of the site send.
QByteArray browserUserAgent();

// Loads `url` once in the browser engine, when the host uses it, and lets the page's scripts
// run, so that the site's browser check can set its cookies in the shared cookie store.
// Callable from any thread (the engine runs on the main thread); false without a browser
// engine or when the page could not be loaded.
bool passBrowserCheck(const QUrl &url);

} // namespace platform
