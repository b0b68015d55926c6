#pragma once

#include "host/HostController.h"
#include "host/MyVellumPlugin.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QMutex>
#include <QPointer>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class QAction;
class QThread;
class QMenu;

// A catalogue entry held in memory.
class TestEntry : public CatalogueEntry
{
public:
    explicit TestEntry(QVariantMap values = {}) : m_values(std::move(values)) {}
    QVariant valueForKey(const QString &key) const override;
    void setValueForKey(const QString &key, const QVariant &value) override;
    QVariantMap values() const;

private:
    mutable QMutex m_mutex;
    QVariantMap m_values;
};

// A host controller for tests: records what the plug-in hands it and answers from what the
// test sets up. It makes itself the application's delegate for its lifetime.
class TestHost : public HostController,
                 public PluginManager,
                 public FieldsController,
                 public BrowserView,
                 public SearchSender
{
public:
    TestHost();
    ~TestHost() override;

    PluginManager *pluginManager() override { return this; }
    FieldsController *fieldsController() override;
    CatalogueEntry *selectedEntry() override { return m_selected; }
    BrowserView *webView() override { return this; }
    QWidget *mainWindow() override { return &m_window; }

    void addMenuItem(QAction *item, const QString &menuTitle) override;
    std::optional<QString> customFieldWithTitle(const QString &title) override;
    void loadLink(const QString &address, bool internalLink) override;
    void searchReturnedNumberOfResults(qsizetype count, MyVellumPlugin *sender) override;

    // The user-defined fields: title -> record key.
    void setCustomFields(const QHash<QString, QString> &fields);
    void select(CatalogueEntry *entry) { m_selected = entry; }

    QList<QPointer<QAction>> menuItems(const QString &menuTitle) const;
    QStringList links() const { return m_links; }
    QList<qsizetype> reports() const { return m_reports; }
    int fieldsControllerCalls() const { return m_fieldsControllerCalls.loadRelaxed(); }
    // The thread the fields controller was last asked for on.
    QThread *fieldsControllerThread() const { return m_fieldsControllerThread.loadAcquire(); }
    // Waits (running the event loop) until `count` reports have arrived.
    bool waitForReports(int count, int timeoutMs = 20000);

    QMainWindow m_window;

private:
    QHash<QString, QMenu *> m_menus;
    QHash<QString, QList<QPointer<QAction>>> m_items;
    mutable QMutex m_fieldsMutex;
    QHash<QString, QString> m_fields;
    CatalogueEntry *m_selected = nullptr;
    QStringList m_links;
    QList<qsizetype> m_reports;
    QAtomicInt m_fieldsControllerCalls;
    QAtomicPointer<QThread> m_fieldsControllerThread;
};

// Gives the test process its own settings, data and home folders (all temporary), so that
// user defaults, cookies and the debug file never touch the real ones.
class IsolatedEnvironment
{
public:
    IsolatedEnvironment();
    // Names the application so that its settings land in the temporary folder.
    void applyNames() const;
    QString home() const;

private:
    QString m_root;
};
