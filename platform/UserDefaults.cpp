#include "platform/UserDefaults.h"

#include "platform/Cursor.h"

#include <QSettings>

namespace platform::UserDefaults {

QVariant objectForKey(const QString &key)
{
    QSettings settings;
    return settings.value(key);
}

bool boolForKey(const QString &key)
{
    return boolValue(objectForKey(key));
}

void setBool(const QString &key, bool value)
{
    QSettings settings;
    settings.setValue(key, value);
    settings.sync();
}

void removeObject(const QString &key)
{
    QSettings settings;
    settings.remove(key);
    settings.sync();
}

bool boolValue(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return false;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        // Settings files store Booleans as text: "true"/"false", and older writers "YES"/"1".
        const QString text = value.toString();
        qsizetype at = 0;
        while (at < text.size() && isWhiteSpaceOrNewline(text[at]))
            ++at;
        if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
            ++at;
        while (at < text.size() && text[at] == u'0')
            ++at;
        if (at == text.size())
            return false;
        const QChar c = text[at];
        return c == u'Y' || c == u'y' || c == u'T' || c == u't' || (c >= u'1' && c <= u'9');
    }
    default:
        return value.toDouble() != 0.0;
    }
}

} // namespace platform::UserDefaults
