#pragma once

#include "host/HostController.h"
#include "host/MyVellumPlugin.h"

#include <QHash>
#include <QMainWindow>
#include <QMutex>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class QEventLoop;
class QMenu;

// One catalogue entry held in memory.
class MemoryEntry : public CatalogueEntry
{
public:
    QVariant valueForKey(const QString &key) const override;
    void setValueForKey(const QString &key, const QVariant &value) override;
    QVariantMap values() const;

private:
    mutable QMutex m_mutex;
    QVariantMap m_values;
};

// The command-line host: plays the catalogue application for the plug-in, with one entry
// (the one the command names), the user-defined fields given on the command line, menus kept
// in memory and a browser view that only remembers what it was asked to show.
class CommandLineHost : public HostController,
                        public PluginManager,
                        public FieldsController,
                        public BrowserView,
                        public SearchSender
{
public:
    CommandLineHost();
    ~CommandLineHost() override;

    // HostController
    PluginManager *pluginManager() override { return this; }
    FieldsController *fieldsController() override { return this; }
    CatalogueEntry *selectedEntry() override { return m_hasSelection ? &m_entry : nullptr; }
    BrowserView *webView() override { return this; }
    QWidget *mainWindow() override { return &m_mainWindow; }

    // PluginManager
    void addMenuItem(QAction *item, const QString &menuTitle) override;
    // FieldsController: a field's record key is its title.
    std::optional<QString> customFieldWithTitle(const QString &title) override;
    // BrowserView
    void loadLink(const QString &address, bool internalLink) override;
    // SearchSender
    void searchReturnedNumberOfResults(qsizetype count, MyVellumPlugin *sender) override;

    void setCustomFields(const QStringList &titles) { m_customFields = titles; }
    void selectEntry(const QVariantMap &values);
    MemoryEntry &entry() { return m_entry; }
    QMenu *menu(const QString &title) const { return m_menus.value(title); }
    QString lastLink() const { return m_lastLink; }

    // Runs the event loop until the search's report arrives or `timeoutMs` pass; the count,
    // or nothing on time-out.
    std::optional<qsizetype> waitForSearchReport(int timeoutMs);

private:
    QMainWindow m_mainWindow;
    QHash<QString, QMenu *> m_menus;
    MemoryEntry m_entry;
    bool m_hasSelection = false;
    QStringList m_customFields;
    QString m_lastLink;
    std::optional<qsizetype> m_reportedCount;
    QEventLoop *m_waitLoop = nullptr;
};
