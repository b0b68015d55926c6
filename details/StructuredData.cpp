#include "details/StructuredData.h"

namespace details {

QString stringFromJSON(const QVariant &object, const QString &key)
{
    if (object.typeId() != QMetaType::QVariantMap)
        return {};
    const QVariant list = object.toMap().value(key);
    if (list.typeId() != QMetaType::QVariantList)
        return {};
    QString names;
    for (const QVariant &element : list.toList()) {
        const QVariant name = element.toMap().value(QStringLiteral("name"));
        if (name.typeId() != QMetaType::QString)
            continue;
        names = names.isEmpty() ? name.toString() : names + u", " + name.toString();
    }
    return names;
}

} // namespace details
