#include "apps/catalogue/CatalogueHost.h"

#include "apps/catalogue/BrowserDock.h"
#include "apps/catalogue/CustomFieldIndex.h"
#include "apps/catalogue/MainWindow.h"
#include "apps/catalogue/PluginMenus.h"
#include "apps/catalogue/SelectedEntry.h"

CatalogueHost::CatalogueHost(CatalogueStore &store, MainWindow &window, CustomFieldIndex &fields)
    : m_store(store), m_window(window), m_fields(fields)
{
    host::setApplicationDelegate(this);
}

CatalogueHost::~CatalogueHost()
{
    if (host::applicationDelegate() == this)
        host::setApplicationDelegate(nullptr);
}

PluginManager *CatalogueHost::pluginManager()
{
    return &m_window.pluginMenus();
}

FieldsController *CatalogueHost::fieldsController()
{
    return &m_fields;
}

CatalogueEntry *CatalogueHost::selectedEntry()
{
    const std::optional<qint64> id = m_window.selectedEntryId();
    if (!id)
        return nullptr;
    if (m_selected && m_selected->id() == *id)
        m_selected->reload();
    else
        m_selected = std::make_unique<SelectedEntry>(m_store, *id);
    return m_selected.get();
}

BrowserView *CatalogueHost::webView()
{
    return m_window.browser();
}

QWidget *CatalogueHost::mainWindow()
{
    return &m_window;
}
