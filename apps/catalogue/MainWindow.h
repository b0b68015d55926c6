#pragma once

#include <QMainWindow>

#include <optional>

class BrowserDock;
class CatalogueModel;
class CatalogueStore;
class CoverCache;
class CustomFieldsModel;
class EntryView;
class LookupController;
class PluginMenus;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QSortFilterProxyModel;
class QTableView;
class VellumPlugin;

// The catalogue's window: the list of entries with a search box, the selected entry's view,
// the browser dock, the menus (the plug-ins' among them) and a busy indicator for look-ups.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(CatalogueStore &store, CoverCache &covers, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Look-ups go through `lookup`; without one "Look Up…" stays disabled.
    void setLookupController(LookupController *lookup);
    // Adds "NAME Options…" to the Settings menu, for a plug-in that has options.
    QAction *addPluginOptions(const QString &name, VellumPlugin *plugin);

    std::optional<qint64> selectedEntryId() const;
    void selectEntry(qint64 id);

    PluginMenus &pluginMenus() const { return *m_pluginMenus; }
    BrowserDock *browser() const { return m_browser; }
    EntryView *entryView() const { return m_entryView; }
    QTableView *entryList() const { return m_list; }
    QLineEdit *searchBox() const { return m_search; }
    QProgressBar *busyIndicator() const { return m_busy; }
    CatalogueModel *catalogueModel() const { return m_model; }
    CustomFieldsModel *customFieldsModel() const { return m_fieldsModel; }

    QAction *addEntryAction() const { return m_addEntry; }
    QAction *editEntryAction() const { return m_editEntry; }
    QAction *deleteEntryAction() const { return m_deleteEntry; }
    QAction *lookUpAction() const { return m_lookUp; }
    QAction *fieldsAction() const { return m_fields; }

public Q_SLOTS:
    void addEntry();
    void editEntry();
    void deleteEntry();
    void lookUp();
    void showFields();
    void showMessage(const QString &message);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void makeActions();
    void makeMenus();
    void makeToolBar();
    void showSelectedEntry();
    void updateActions();
    void setBusy(bool busy, const QString &activity);
    void restoreLayout();

    CatalogueStore &m_store;
    CatalogueModel *m_model;
    CustomFieldsModel *m_fieldsModel;
    QSortFilterProxyModel *m_filter;
    QTableView *m_list;
    EntryView *m_entryView;
    BrowserDock *m_browser;
    QLineEdit *m_search;
    QProgressBar *m_busy;
    QLabel *m_activity;
    PluginMenus *m_pluginMenus = nullptr;
    LookupController *m_lookup = nullptr;

    QAction *m_addEntry = nullptr;
    QAction *m_editEntry = nullptr;
    QAction *m_deleteEntry = nullptr;
    QAction *m_lookUp = nullptr;
    QAction *m_fields = nullptr;
    QAction *m_quit = nullptr;
    QAction *m_find = nullptr;
    QMenu *m_settingsMenu = nullptr;
};
