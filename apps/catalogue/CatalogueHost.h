#pragma once

#include "host/HostController.h"

#include <memory>

class CatalogueStore;
class CustomFieldIndex;
class MainWindow;
class SelectedEntry;

// The host controller the plug-ins talk to: the main window's plug-in menus, browser dock
// and selected entry, and the user-defined fields. It makes itself the application's
// delegate for its lifetime.
class CatalogueHost : public HostController
{
public:
    CatalogueHost(CatalogueStore &store, MainWindow &window, CustomFieldIndex &fields);
    ~CatalogueHost() override;
    CatalogueHost(const CatalogueHost &) = delete;
    CatalogueHost &operator=(const CatalogueHost &) = delete;

    PluginManager *pluginManager() override;
    FieldsController *fieldsController() override;
    // The entry selected in the list. The same object is handed out while the same entry
    // stays selected, its values renewed at each call, so a pointer the plug-in holds stays
    // good through one of its commands.
    CatalogueEntry *selectedEntry() override;
    BrowserView *webView() override;
    QWidget *mainWindow() override;

private:
    CatalogueStore &m_store;
    MainWindow &m_window;
    CustomFieldIndex &m_fields;
    std::unique_ptr<SelectedEntry> m_selected;
};
