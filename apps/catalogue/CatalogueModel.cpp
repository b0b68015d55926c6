#include "apps/catalogue/CatalogueModel.h"

#include "apps/catalogue/EntryValues.h"

CatalogueModel::CatalogueModel(CatalogueStore &store, QObject *parent)
    : QAbstractTableModel(parent), m_store(store)
{
    connect(&store, &CatalogueStore::entryAdded, this, &CatalogueModel::entryAdded);
    connect(&store, &CatalogueStore::entryChanged, this, &CatalogueModel::entryChanged);
    connect(&store, &CatalogueStore::entryRemoved, this, &CatalogueModel::entryRemoved);
    reload();
}

void CatalogueModel::reload()
{
    beginResetModel();
    m_entries = m_store.entries();
    endResetModel();
}

int CatalogueModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int CatalogueModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CatalogueModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const StoredEntry &entry = m_entries.at(index.row());
    const QVariantMap &values = entry.values;
    switch (role) {
    case EntryIdRole:
        return entry.id;
    case ValuesRole:
        return values;
    case SearchTextRole: {
        QStringList texts;
        for (const QString &key : {entrykey::title, entrykey::originalTitle, entrykey::director,
                                   entrykey::starring, entrykey::imdb})
            texts.append(values.value(key).toString());
        if (const int year = entryvalues::year(values))
            texts.append(QString::number(year));
        return texts.join(u'\n');
    }
    case Qt::DisplayRole:
        switch (index.column()) {
        case TitleColumn:
            return values.value(entrykey::title);
        case YearColumn: {
            // Sorting a column of numbers puts 1927 before 2003; an entry without a year
            // shows nothing.
            const int year = entryvalues::year(values);
            return year > 0 ? QVariant(year) : QVariant();
        }
        case DirectorColumn:
            return values.value(entrykey::director);
        case NumberColumn:
            return values.value(entrykey::imdb);
        }
        return {};
    case Qt::ToolTipRole:
        if (index.column() == TitleColumn && values.contains(entrykey::originalTitle))
            return values.value(entrykey::originalTitle);
        return {};
    default:
        return {};
    }
}

QVariant CatalogueModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case TitleColumn:
        return tr("Title");
    case YearColumn:
        return tr("Year");
    case DirectorColumn:
        return tr("Director");
    case NumberColumn:
        return tr("IMDb");
    }
    return {};
}

int CatalogueModel::rowOf(qint64 id) const
{
    for (int row = 0; row < m_entries.size(); ++row) {
        if (m_entries.at(row).id == id)
            return row;
    }
    return -1;
}

std::optional<QVariantMap> CatalogueModel::values(qint64 id) const
{
    const int row = rowOf(id);
    if (row < 0)
        return std::nullopt;
    return m_entries.at(row).values;
}

void CatalogueModel::entryAdded(qint64 id)
{
    const std::optional<QVariantMap> values = m_store.entry(id);
    if (!values || rowOf(id) >= 0)
        return;
    const int row = int(m_entries.size());
    beginInsertRows({}, row, row);
    m_entries.append({id, *values});
    endInsertRows();
}

void CatalogueModel::entryChanged(qint64 id)
{
    const int row = rowOf(id);
    const std::optional<QVariantMap> values = m_store.entry(id);
    if (row < 0 || !values)
        return;
    m_entries[row].values = *values;
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void CatalogueModel::entryRemoved(qint64 id)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    beginRemoveRows({}, row, row);
    m_entries.removeAt(row);
    endRemoveRows();
}
