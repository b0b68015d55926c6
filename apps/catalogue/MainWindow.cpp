#include "apps/catalogue/MainWindow.h"

#include "apps/catalogue/BrowserDock.h"
#include "apps/catalogue/CatalogueModel.h"
#include "apps/catalogue/CatalogueStore.h"
#include "apps/catalogue/CustomFieldsModel.h"
#include "apps/catalogue/EntryDialog.h"
#include "apps/catalogue/EntryValues.h"
#include "apps/catalogue/EntryView.h"
#include "apps/catalogue/FieldsDialog.h"
#include "apps/catalogue/LookUpDialog.h"
#include "apps/catalogue/LookupController.h"
#include "apps/catalogue/PluginMenus.h"
#include "host/VellumPlugin.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>

MainWindow::MainWindow(CatalogueStore &store, CoverCache &covers, QWidget *parent)
    : QMainWindow(parent)
    , m_store(store)
    , m_model(new CatalogueModel(store, this))
    , m_fieldsModel(new CustomFieldsModel(store, this))
    , m_filter(new QSortFilterProxyModel(this))
    , m_list(new QTableView)
    , m_entryView(new EntryView(covers, *m_fieldsModel))
    , m_browser(new BrowserDock(this))
    , m_search(new QLineEdit)
    , m_busy(new QProgressBar)
    , m_activity(new QLabel)
{
    setWindowTitle(tr("Catalogue"));
    setObjectName(QStringLiteral("catalogueWindow"));

    m_filter->setSourceModel(m_model);
    m_filter->setFilterRole(CatalogueModel::SearchTextRole);
    m_filter->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_filter->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_filter->setSortLocaleAware(true);

    m_list->setObjectName(QStringLiteral("entries"));
    m_list->setModel(m_filter);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(CatalogueModel::TitleColumn, Qt::AscendingOrder);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setAlternatingRowColors(true);
    m_list->setShowGrid(false);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 8);
    m_list->setWordWrap(false);
    m_list->horizontalHeader()->setSectionResizeMode(CatalogueModel::TitleColumn,
                                                     QHeaderView::Stretch);
    m_list->horizontalHeader()->setHighlightSections(false);
    m_list->setMinimumWidth(380);

    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(tr("Search titles, people, numbers"));
    m_search->setClearButtonEnabled(true);
    m_search->setMaximumWidth(280);
    connect(m_search, &QLineEdit::textChanged, m_filter,
            &QSortFilterProxyModel::setFilterFixedString);

    auto *splitter = new QSplitter;
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->addWidget(m_list);
    splitter->addWidget(m_entryView);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    splitter->setChildrenCollapsible(false);
    setCentralWidget(splitter);

    addDockWidget(Qt::RightDockWidgetArea, m_browser);
    m_browser->hide();

    m_busy->setObjectName(QStringLiteral("busy"));
    m_busy->setRange(0, 0);
    m_busy->setMaximumWidth(160);
    m_busy->setTextVisible(false);
    m_busy->hide();
    statusBar()->addPermanentWidget(m_activity);
    statusBar()->addPermanentWidget(m_busy);

    makeActions();
    makeMenus();
    makeToolBar();

    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::showSelectedEntry);
    // An entry changed by a look-up or an edit shows its new values at once.
    connect(m_model, &QAbstractItemModel::dataChanged, this, &MainWindow::showSelectedEntry);
    connect(m_filter, &QAbstractItemModel::rowsRemoved, this, &MainWindow::showSelectedEntry);
    connect(m_list, &QTableView::doubleClicked, this, &MainWindow::editEntry);
    showSelectedEntry();
    restoreLayout();
}

MainWindow::~MainWindow() = default;

void MainWindow::makeActions()
{
    m_addEntry = new QAction(tr("&Add Entry"), this);
    m_addEntry->setShortcut(QKeySequence::New);
    connect(m_addEntry, &QAction::triggered, this, &MainWindow::addEntry);

    m_editEntry = new QAction(tr("&Edit Entry…"), this);
    m_editEntry->setShortcut(Qt::CTRL | Qt::Key_E);
    connect(m_editEntry, &QAction::triggered, this, &MainWindow::editEntry);

    m_deleteEntry = new QAction(tr("&Delete Entry"), this);
    m_deleteEntry->setShortcut(QKeySequence::Delete);
    connect(m_deleteEntry, &QAction::triggered, this, &MainWindow::deleteEntry);

    m_lookUp = new QAction(tr("&Look Up…"), this);
    m_lookUp->setShortcut(Qt::CTRL | Qt::Key_L);
    m_lookUp->setToolTip(tr("Look the selected entry up on IMDb (Ctrl+L)"));
    connect(m_lookUp, &QAction::triggered, this, &MainWindow::lookUp);

    m_fields = new QAction(tr("&Fields…"), this);
    connect(m_fields, &QAction::triggered, this, &MainWindow::showFields);

    m_find = new QAction(tr("&Find"), this);
    m_find->setShortcut(QKeySequence::Find);
    connect(m_find, &QAction::triggered, m_search, [this] {
        m_search->setFocus();
        m_search->selectAll();
    });

    m_quit = new QAction(tr("&Quit"), this);
    m_quit->setShortcut(QKeySequence::Quit);
    m_quit->setMenuRole(QAction::QuitRole);
    connect(m_quit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::makeMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(m_quit);

    QMenu *entry = menuBar()->addMenu(tr("&Entry"));
    entry->addAction(m_addEntry);
    entry->addAction(m_editEntry);
    entry->addAction(m_deleteEntry);
    entry->addSeparator();
    entry->addAction(m_lookUp);

    QMenu *view = menuBar()->addMenu(tr("&View"));
    view->addAction(m_find);
    QAction *browser = m_browser->toggleViewAction();
    browser->setText(tr("&Browser"));
    view->addAction(browser);

    m_settingsMenu = menuBar()->addMenu(tr("&Settings"));
    m_settingsMenu->addAction(m_fields);

    // The plug-ins' menus ("IMDb") go between the catalogue's own and View.
    m_pluginMenus = new PluginMenus(menuBar(), view->menuAction(), this);
}

void MainWindow::makeToolBar()
{
    QToolBar *bar = addToolBar(tr("Catalogue"));
    bar->setObjectName(QStringLiteral("mainToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addAction(m_addEntry);
    bar->addAction(m_editEntry);
    bar->addAction(m_deleteEntry);
    bar->addSeparator();
    bar->addAction(m_lookUp);
    auto *spacer = new QWidget;
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    bar->addWidget(m_search);
}

void MainWindow::restoreLayout()
{
    QSettings settings;
    resize(1100, 700);
    restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray());
    restoreState(settings.value(QStringLiteral("window/state")).toByteArray());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    QSettings settings;
    settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
    settings.setValue(QStringLiteral("window/state"), saveState());
    QMainWindow::closeEvent(event);
}

void MainWindow::setLookupController(LookupController *lookup)
{
    m_lookup = lookup;
    if (lookup) {
        connect(lookup, &LookupController::busyChanged, this, &MainWindow::setBusy);
        connect(lookup, &LookupController::finished, this,
                [this](qint64, bool, const QString &message) {
                    showMessage(message);
                    updateActions();
                });
    }
    updateActions();
}

QAction *MainWindow::addPluginOptions(const QString &name, VellumPlugin *plugin)
{
    if (!plugin ||
        !plugin->implementedOperations().testFlag(VellumPlugin::Operation::OpenPreferences))
        return nullptr;
    auto *options = new QAction(tr("%1 &Options…").arg(name), this);
    connect(options, &QAction::triggered, this, [plugin] { plugin->openPreferences(); });
    m_settingsMenu->addAction(options);
    return options;
}

std::optional<qint64> MainWindow::selectedEntryId() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first().data(CatalogueModel::EntryIdRole).toLongLong();
}

void MainWindow::selectEntry(qint64 id)
{
    const int row = m_model->rowOf(id);
    if (row < 0)
        return;
    const QModelIndex index = m_filter->mapFromSource(m_model->index(row, 0));
    if (!index.isValid())
        return;
    m_list->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

void MainWindow::showSelectedEntry()
{
    const std::optional<qint64> id = selectedEntryId();
    m_entryView->setEntry(id ? m_model->values(*id).value_or(QVariantMap()) : QVariantMap());
    updateActions();
}

void MainWindow::updateActions()
{
    const bool selected = selectedEntryId().has_value();
    m_editEntry->setEnabled(selected);
    m_deleteEntry->setEnabled(selected);
    m_lookUp->setEnabled(selected && m_lookup && m_lookup->plugin() && !m_lookup->isBusy());
}

void MainWindow::setBusy(bool busy, const QString &activity)
{
    m_busy->setVisible(busy);
    m_activity->setText(activity);
    updateActions();
}

void MainWindow::showMessage(const QString &message)
{
    statusBar()->showMessage(message, 10000);
}

void MainWindow::addEntry()
{
    auto *dialog = new EntryDialog({}, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        if (const std::optional<qint64> id = m_store.addEntry(dialog->changes()))
            selectEntry(*id);
        else
            showMessage(tr("The entry could not be added: %1").arg(m_store.lastError()));
    });
    dialog->open();
}

void MainWindow::editEntry()
{
    const std::optional<qint64> id = selectedEntryId();
    if (!id)
        return;
    auto *dialog = new EntryDialog(m_model->values(*id).value_or(QVariantMap()), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, id = *id] {
        if (!m_store.updateEntry(id, dialog->changes()))
            showMessage(tr("The entry could not be changed: %1").arg(m_store.lastError()));
    });
    dialog->open();
}

void MainWindow::deleteEntry()
{
    const std::optional<qint64> id = selectedEntryId();
    if (!id)
        return;
    const QString title =
        m_model->values(*id).value_or(QVariantMap()).value(entrykey::title).toString();
    auto *question = new QMessageBox(QMessageBox::Question, tr("Delete Entry"),
                                     tr("Delete “%1” from the catalogue?").arg(title),
                                     QMessageBox::Yes | QMessageBox::Cancel, this);
    question->setAttribute(Qt::WA_DeleteOnClose);
    question->setDefaultButton(QMessageBox::Cancel);
    connect(question, &QMessageBox::finished, this, [this, id = *id](int answer) {
        if (answer == QMessageBox::Yes && !m_store.removeEntry(id))
            showMessage(tr("The entry could not be deleted: %1").arg(m_store.lastError()));
    });
    question->open();
}

void MainWindow::lookUp()
{
    const std::optional<qint64> id = selectedEntryId();
    if (!id || !m_lookup || m_lookup->isBusy())
        return;
    const QVariantMap values = m_model->values(*id).value_or(QVariantMap());
    auto *dialog =
        new LookUpDialog(values.value(entrykey::title).toString(), entryvalues::year(values), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, id = *id] {
        if (!m_lookup->lookUp(id, dialog->keyword()))
            showMessage(tr("A look-up is under way already."));
    });
    dialog->open();
}

void MainWindow::showFields()
{
    auto *dialog = new FieldsDialog(m_store, *m_fieldsModel, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}
