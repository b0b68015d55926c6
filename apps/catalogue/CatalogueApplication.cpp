#include "apps/catalogue/CatalogueApplication.h"

#include "apps/catalogue/CatalogueHost.h"
#include "apps/catalogue/CatalogueStore.h"
#include "apps/catalogue/CoverCache.h"
#include "apps/catalogue/CustomFieldIndex.h"
#include "apps/catalogue/LookupController.h"
#include "apps/catalogue/MainWindow.h"
#include "host/MyVellumPlugin.h"

#include <QDir>
#include <QFileInfo>

CatalogueApplication::CatalogueApplication(Options options)
    : m_options(std::move(options)), m_store(std::make_unique<CatalogueStore>())
{}

CatalogueApplication::~CatalogueApplication()
{
    // A title still being read is stored before anything it needs goes away, and the
    // plug-ins go before the host controller they call.
    if (m_lookup)
        m_lookup->finishPendingWork();
    m_lookup.reset();
    for (const LoadedPlugin &plugin : std::as_const(m_plugins))
        delete plugin.instance;
    m_plugins.clear();
}

bool CatalogueApplication::start(QString *error)
{
    const QString path =
        m_options.cataloguePath.isEmpty() ? CatalogueStore::defaultPath() : m_options.cataloguePath;
    if (!m_store->open(path)) {
        if (error)
            *error = m_store->lastError();
        return false;
    }
    m_covers = std::make_unique<CoverCache>(m_options.coverFolder);
    m_window = std::make_unique<MainWindow>(*m_store, *m_covers);
    m_window->setWindowTitle(
        QObject::tr("%1 — Catalogue").arg(QFileInfo(m_store->path()).completeBaseName()));
    m_fields = std::make_unique<CustomFieldIndex>(*m_store);
    // The plug-ins register their menus as they are made, so the host comes first.
    m_host = std::make_unique<CatalogueHost>(*m_store, *m_window, *m_fields);
    m_lookup = std::make_unique<LookupController>(*m_store, m_window.get());

    const QString plugIns = m_options.plugInsDirectory.isEmpty()
                                ? hostapp::defaultPlugInsDirectory()
                                : m_options.plugInsDirectory;
    m_plugins = hostapp::loadPlugInBundles(plugIns, &m_pluginErrors);
    for (const LoadedPlugin &plugin : std::as_const(m_plugins))
        m_window->addPluginOptions(QFileInfo(plugin.path).completeBaseName(), plugin.interface);
    if (!m_plugins.isEmpty())
        m_lookup->setPlugin(m_plugins.first().plugin);
    else
        m_window->showMessage(QObject::tr("No plug-in in %1: look-ups are off.")
                                  .arg(QDir::toNativeSeparators(plugIns)));
    m_window->setLookupController(m_lookup.get());
    return true;
}
