#include "apps/catalogue/CreditsModel.h"

namespace {
const QString columnKeys[] = {QStringLiteral("name"), QStringLiteral("role")};
}

void CreditsModel::setCredits(const QVariantList &credits)
{
    beginResetModel();
    m_credits = credits;
    endResetModel();
}

int CreditsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_credits.size());
}

int CreditsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant CreditsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_credits.size() || index.column() > 1)
        return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    return m_credits.at(index.row()).toMap().value(columnKeys[index.column()]).toString();
}

QVariant CreditsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? tr("Name") : tr("Role");
}
