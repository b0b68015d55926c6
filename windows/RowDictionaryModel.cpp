#include "windows/RowDictionaryModel.h"

#include "host/Text.h"

RowDictionaryModel::RowDictionaryModel(QList<Column> columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns))
{}

void RowDictionaryModel::addRow(const QVariantMap &row)
{
    const int at = int(m_rows.size());
    beginInsertRows({}, at, at);
    m_rows.append(row);
    endInsertRows();
}

void RowDictionaryModel::removeAllRows()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int RowDictionaryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RowDictionaryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RowDictionaryModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    return cellData(m_rows.at(index.row()).value(m_columns.at(index.column()).key).toString(),
                    role);
}

QVariant RowDictionaryModel::cellData(const QString &text, int role)
{
    switch (role) {
    case Qt::DisplayRole:
        return Text(text).stringByRemovingNewLines().string();
    case Qt::EditRole:
        return text;
    default:
        return {};
    }
}

QVariant RowDictionaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_columns.at(section).title;
}
