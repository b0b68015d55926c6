#include "apps/catalogue/EntryValues.h"

#include "host/RecordOperations.h"

#include <QDate>
#include <QJsonDocument>
#include <QJsonObject>

namespace entryvalues {
namespace {

const QString dateKeys[] = {entrykey::theatrical, entrykey::releaseDate};
// Counts that a lookup gives as integers; JSON hands every number back as a double.
const QString integerKeys[] = {QStringLiteral("season"), QStringLiteral("episode"),
                               QStringLiteral("myRating")};

} // namespace

QByteArray toJson(const QVariantMap &values)
{
    return QJsonDocument(host::recordToJson(values)).toJson(QJsonDocument::Compact);
}

QVariantMap fromJson(const QByteArray &json)
{
    QVariantMap values = QJsonDocument::fromJson(json).object().toVariantMap();
    for (const QString &key : dateKeys) {
        if (!values.contains(key))
            continue;
        const QDate date = QDate::fromString(values.value(key).toString(), Qt::ISODate);
        if (date.isValid())
            values.insert(key, date);
        else
            values.remove(key);
    }
    for (const QString &key : integerKeys) {
        if (values.contains(key))
            values.insert(key, values.value(key).toLongLong());
    }
    if (values.contains(entrykey::images))
        values.insert(entrykey::images, values.value(entrykey::images).toStringList());
    return values;
}

int year(const QVariantMap &values)
{
    const QDate date = values.value(entrykey::theatrical).toDate();
    return date.isValid() ? date.year() : 0;
}

QString coverAddress(const QVariantMap &values)
{
    const QStringList images = values.value(entrykey::images).toStringList();
    return images.isEmpty() ? QString() : images.first();
}

QString displayText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::Double:
        return QString::number(value.toDouble());
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        QStringList parts;
        for (const QVariant &item : value.toList())
            parts.append(displayText(item));
        return parts.join(QStringLiteral(", "));
    }
    default:
        return value.toString();
    }
}

} // namespace entryvalues
