#pragma once

#include "apps/catalogue/CatalogueStore.h"

#include <QAbstractListModel>
#include <QList>

// The catalogue's user-defined fields as a list of titles, kept in step with the store.
class CustomFieldsModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        FieldIdRole = Qt::UserRole + 1,
        RecordKeyRole,
    };

    explicit CustomFieldsModel(CatalogueStore &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QList<CustomField> &fields() const { return m_fields; }

private:
    void reload();

    CatalogueStore &m_store;
    QList<CustomField> m_fields;
};
