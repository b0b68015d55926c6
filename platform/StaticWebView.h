#pragma once

#include "platform/WebView.h"

#include <QByteArray>

namespace platform {

// A web view without a browser engine: one GET with a browser User-Agent, then the page's
// own source read with an HTML5 parser. It runs no scripts.
class StaticWebView : public WebView
{
    Q_OBJECT
public:
    explicit StaticWebView(QObject *parent = nullptr);
    ~StaticWebView() override;

    void load(const QUrl &url) override;
    void evaluateJavaScript(const QString &script,
                            std::function<void(std::optional<QString>)> completion) override;

    // The inner HTML, from the page's own source, of the first element whose class list
    // holds `className`; nothing when there is none.
    static std::optional<QString> innerHtmlOfFirstElementWithClass(const QByteArray &page,
                                                                   const QString &className);

private:
    void pageArrived(quint64 generation, const QByteArray &page);

    quint64 m_generation = 0;
    QByteArray m_page;
};

} // namespace platform
