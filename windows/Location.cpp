#include "windows/Location.h"

#include "core/IMDB.h"
#include "host/HostController.h"
#include "platform/NibLoading.h"
#include "platform/StringFormat.h"
#include "platform/SystemLog.h"
#include "platform/WindowTitles.h"
#include "windows/BusyIndicator.h"
#include "windows/LocationsPage.h"
#include "windows/RowDictionaryModel.h"
#include "windows/SidePageFetch.h"
#include "windows/WindowFront.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>

Location::Location() : Location(IMDB::resourcesDirectory()) {}

Location::Location(const QString &resourceDirectory) : m_resourceDirectory(resourceDirectory) {}

Location::~Location()
{
    // The table goes while the lists it shows are still there.
    m_mistakesWindow.reset();
}

QStringList Location::columnIdentifiers()
{
    return {locationColumn.toString(), QStringLiteral("scene")};
}

bool Location::loadWindow()
{
    m_mistakesWindow.reset(
        platform::loadNibNamed(QStringLiteral("Location.nib"), m_resourceDirectory));
    if (!m_mistakesWindow)
        return false;
    m_titleText = m_mistakesWindow->findChild<QLabel *>(QStringLiteral("titleText"));
    m_busy = m_mistakesWindow->findChild<QProgressBar *>(QStringLiteral("busy"));
    m_table = m_mistakesWindow->findChild<QTableView *>(QStringLiteral("table"));
    if (m_table) {
        m_table->setModel(this);
        // Locations are long; the scenes take the rest of the width.
        m_table->setColumnWidth(0, 500);
    }
    return true;
}

void Location::showLocationForSelection()
{
    beginResetModel();
    m_locationArray.clear();
    m_sceneArray.clear();
    endResetModel();
    if (!m_mistakesWindow && !loadWindow())
        platform::systemLog(QStringLiteral("Location.nib Failed"));

    HostController *host = host::applicationDelegate();
    CatalogueEntry *entry = host ? host->selectedEntry() : nullptr;
    platform::setPlainWindowTitle(
        m_mistakesWindow.get(),
        platform::stringWithFormat(u"Locations for: %@",
                                   {host::entryText(entry, QStringLiteral("title")).string()}));
    bringToFront(m_mistakesWindow.get());

    std::optional<QList<FilmingLocation>> locations;
    if (entry) {
        startAnimation(m_busy);
        Text number = host::entryText(entry, QStringLiteral("imdb"));
        if (!number.isNotEmpty())
            number = IMDB::getIMDBNumberForEntry(entry);
        if (!number.isNull())
            locations = locationsFromPage(fetchSidePage(number.string(), u"locations"));
        if (locations) {
            for (const FilmingLocation &location : *locations)
                addRow(location.location, location.scene);
        }
        stopAnimation(m_busy);
    }
    if (!locations)
        addRow(QStringLiteral("No Locations"), QString());
    reloadData();
}

void Location::addRow(const QString &location, const QString &scene)
{
    const int at = int(m_locationArray.size());
    beginInsertRows({}, at, at);
    m_locationArray.append(location);
    m_sceneArray.append(scene);
    endInsertRows();
}

void Location::reloadData()
{
    if (m_table)
        m_table->viewport()->update();
}

int Location::numberOfRowsInTableView() const
{
    return int(m_locationArray.size());
}

QString Location::objectValueForTableColumn(QStringView identifier, int row) const
{
    const QStringList &list = identifier == locationColumn ? m_locationArray : m_sceneArray;
    return row >= 0 && row < list.size() ? list.at(row) : QString();
}

int Location::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : numberOfRowsInTableView();
}

int Location::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columnIdentifiers().size());
}

QVariant Location::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    return RowDictionaryModel::cellData(
        objectValueForTableColumn(columnIdentifiers().at(index.column()), index.row()), role);
}

QVariant Location::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case 0:
        return QStringLiteral("Location");
    case 1:
        return QStringLiteral("Scene");
    default:
        return {};
    }
}

QString Location::windowTitle() const
{
    return platform::plainWindowTitle(m_mistakesWindow.get());
}

QTableView *Location::table() const
{
    return m_table;
}

QProgressBar *Location::busy() const
{
    return m_busy;
}
