#pragma once

#include "apps/catalogue/CatalogueStore.h"

#include <QAbstractTableModel>
#include <QList>

#include <optional>

// The catalogue's entries as a table: one row per entry, kept in step with the store through
// its signals. Views sort and filter it through a QSortFilterProxyModel (filterRole
// SearchTextRole).
class CatalogueModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        TitleColumn,
        YearColumn,
        DirectorColumn,
        NumberColumn,
        ColumnCount
    };
    enum Role {
        EntryIdRole = Qt::UserRole + 1,
        // Every text a search box should find the entry by, in one string.
        SearchTextRole,
        // The entry's values (QVariantMap).
        ValuesRole,
    };

    explicit CatalogueModel(CatalogueStore &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The row of an entry, or -1.
    int rowOf(qint64 id) const;
    std::optional<QVariantMap> values(qint64 id) const;

    // Reads every entry from the store again.
    void reload();

private:
    void entryAdded(qint64 id);
    void entryChanged(qint64 id);
    void entryRemoved(qint64 id);

    CatalogueStore &m_store;
    QList<StoredEntry> m_entries;
};
