#include "apps/catalogue/BrowserDock.h"

#include "apps/catalogue/SiteBrowserPage.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEngineView>

BrowserDock::BrowserDock(QWidget *parent) : QDockWidget(tr("Browser"), parent)
{
    setObjectName(QStringLiteral("browserDock"));
    auto *placeholder = new QLabel(tr("Open Site... in the IMDb menu shows a movie's page here."));
    placeholder->setAlignment(Qt::AlignCenter);
    placeholder->setWordWrap(true);
    placeholder->setMinimumWidth(320);
    setWidget(placeholder);
}

void BrowserDock::makeView()
{
    m_view = new QWebEngineView;
    m_view->setPage(new SiteBrowserPage(m_view));
    m_address = new QLineEdit;
    m_address->setReadOnly(true);

    auto *bar = new QToolBar;
    bar->addAction(m_view->pageAction(QWebEnginePage::Back));
    bar->addAction(m_view->pageAction(QWebEnginePage::Forward));
    bar->addAction(m_view->pageAction(QWebEnginePage::Reload));
    bar->addWidget(m_address);

    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_view, 1);
    setWidget(content);

    connect(m_view, &QWebEngineView::urlChanged, this,
            [this](const QUrl &url) { m_address->setText(url.toDisplayString()); });
    connect(m_view, &QWebEngineView::loadFinished, this, &BrowserDock::pageLoaded);
}

void BrowserDock::loadLink(const QString &address, bool)
{
    if (!m_view)
        makeView();
    show();
    raise();
    m_view->load(QUrl(address));
}
