#pragma once

#include "host/HostController.h"

#include <QDockWidget>

class QLineEdit;
class QWebEngineView;

// The application's browser view: a dock with a web view and a small navigation bar. The
// plug-in's "Open Site..." shows the movie's page here. The browser engine starts with the
// first page, not with the window.
class BrowserDock : public QDockWidget, public BrowserView
{
    Q_OBJECT
public:
    explicit BrowserDock(QWidget *parent = nullptr);

    // Shows the dock and loads `address` in it.
    void loadLink(const QString &address, bool internalLink) override;

    // The web view, or null before the first page.
    QWebEngineView *view() const { return m_view; }

Q_SIGNALS:
    void pageLoaded(bool ok);

private:
    void makeView();

    QWebEngineView *m_view = nullptr;
    QLineEdit *m_address = nullptr;
};
