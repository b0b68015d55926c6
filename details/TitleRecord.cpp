#include "details/TitleRecord.h"

#include <QDate>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonValue>

void TitleRecord::set(const QString &key, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        m_values.remove(key);
    else
        m_values.insert(key, value);
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
    if (it == m_values.end())
        return;
    QVariantMap entry{{QStringLiteral("name"), name}};
    if (!role.isNull())
        entry.insert(QStringLiteral("role"), role.string());
    QVariantList list = it->toList();
    list.append(entry);
    *it = list;
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
    return toJson(m_values);
}

namespace {

QJsonValue jsonOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(Qt::ISODate);
    case QMetaType::QVariantMap:
        return TitleRecord::toJson(value.toMap());
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        QJsonArray array;
        for (const QVariant &item : value.toList())
            array.append(jsonOf(item));
        return array;
    }
    default:
        return QJsonValue::fromVariant(value);
    }
}

} // namespace

QJsonObject TitleRecord::toJson(const QVariantMap &values)
{
    QJsonObject object;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        object.insert(it.key(), jsonOf(it.value()));
    return object;
}
