#include "apps/catalogue/CustomFieldsModel.h"

CustomFieldsModel::CustomFieldsModel(CatalogueStore &store, QObject *parent)
    : QAbstractListModel(parent), m_store(store)
{
    connect(&store, &CatalogueStore::customFieldsChanged, this, &CustomFieldsModel::reload);
    reload();
}

void CustomFieldsModel::reload()
{
    beginResetModel();
    m_fields = m_store.customFields();
    endResetModel();
}

int CustomFieldsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant CustomFieldsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_fields.size())
        return {};
    const CustomField &field = m_fields.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return field.title;
    case Qt::ToolTipRole:
        return tr("Record key: %1").arg(field.recordKey);
    case FieldIdRole:
        return field.id;
    case RecordKeyRole:
        return field.recordKey;
    default:
        return {};
    }
}
