#pragma once

#include "apps/shared/PluginBundles.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class CatalogueHost;
class CatalogueStore;
class CoverCache;
class CustomFieldIndex;
class LookupController;
class MainWindow;

// The whole application put together: the catalogue file, the window, the host controller,
// the plug-ins and the look-up controller, made in the order each needs the others and torn
// down in reverse.
class CatalogueApplication
{
public:
    struct Options
    {
        QString cataloguePath;    // empty: CatalogueStore::defaultPath()
        QString plugInsDirectory; // empty: hostapp::defaultPlugInsDirectory()
        QString coverFolder;      // empty: the user's cache folder
    };

    explicit CatalogueApplication(Options options);
    ~CatalogueApplication();
    CatalogueApplication(const CatalogueApplication &) = delete;
    CatalogueApplication &operator=(const CatalogueApplication &) = delete;

    // Opens the catalogue and loads the plug-ins. False, with the reason in `error`, when the
    // catalogue cannot be opened; plug-ins that fail to load are in pluginErrors().
    bool start(QString *error);

    CatalogueStore &store() const { return *m_store; }
    MainWindow &window() const { return *m_window; }
    LookupController &lookup() const { return *m_lookup; }
    CoverCache &covers() const { return *m_covers; }
    const QList<LoadedPlugin> &plugins() const { return m_plugins; }
    QStringList pluginErrors() const { return m_pluginErrors; }

private:
    Options m_options;
    std::unique_ptr<CatalogueStore> m_store;
    std::unique_ptr<CoverCache> m_covers;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<CustomFieldIndex> m_fields;
    std::unique_ptr<CatalogueHost> m_host;
    std::unique_ptr<LookupController> m_lookup;
    QList<LoadedPlugin> m_plugins;
    QStringList m_pluginErrors;
};
