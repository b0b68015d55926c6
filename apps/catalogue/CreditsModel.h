#pragma once

#include <QAbstractTableModel>
#include <QVariantList>

// An entry's credits list as a table of name and role.
class CreditsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // A list of maps with "name" and, when known, "role".
    void setCredits(const QVariantList &credits);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariantList m_credits;
};
