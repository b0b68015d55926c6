#include "host/RecordOperations.h"

#include <QJsonArray>
#include <QJsonValue>

namespace host {

QDate dateAtBeginningOfYear(QDate date)
{
    return date.isValid() ? QDate(date.year(), 1, 1) : QDate();
}

void addString(QVariantMap &record, const QString &string, const QString &key)
{
    const QString existing = record.value(key).toString();
    record.insert(key, existing.isEmpty() ? string : existing + u", " + string);
}

namespace {

QJsonValue jsonOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QVariantMap:
        return recordToJson(value.toMap());
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

QJsonObject recordToJson(const QVariantMap &record)
{
    QJsonObject object;
    for (auto it = record.cbegin(); it != record.cend(); ++it)
        object.insert(it.key(), jsonOf(it.value()));
    return object;
}

} // namespace host
