#include "details/TitleRecord.h"

#include "host/RecordOperations.h"

void TitleRecord::set(const QString &key, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        m_values.remove(key);
    else
        m_values.insert(key, value);
}

void TitleRecord::addString(const QString &string, const QString &key)
{
    host::addString(m_values, string, key);
}

bool TitleRecord::isEmpty(const QString &key) const
{
    const QVariant v = value(key);
    if (!v.isValid() || v.isNull())
        return true;
    switch (v.typeId()) {
    case QMetaType::QString:
        return v.toString().isEmpty();
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
        return v.toList().isEmpty();
    default:
        return false;
    }
}

void TitleRecord::appendCredit(const QString &name, const Text &role)
{
    auto it = m_values.find(recordkey::credits);
    if (it == m_values.end() || it->typeId() != QMetaType::QVariantList)
        return;
    QVariantMap entry{{QStringLiteral("name"), name}};
    if (!role.isNull())
        entry.insert(QStringLiteral("role"), role.string());
    // Appended in place: copying the list out and back for every person would make a long
    // cast quadratic.
    static_cast<QVariantList *>(it->data())->append(entry);
}

QStringList TitleRecord::imageLocations() const
{
    return value(recordkey::images).toStringList();
}

void TitleRecord::setImageLocations(const QStringList &images)
{
    m_values.insert(recordkey::images, images);
}

QJsonObject TitleRecord::toJson() const
{
    return host::recordToJson(m_values);
}
