#include "host/Localization.h"

#include <QCoreApplication>
#include <QHash>

namespace host {
namespace {

// English texts whose key is not already the text. Keys whose English text differs between
// callers ("NoRow") stay out, so that each caller's own value shows.
QString englishText(const QString &table, const QString &key)
{
    static const QHash<QString, QString> localizable = {
        {QStringLiteral("votes"), QStringLiteral("%@ (%@ votes)")},
    };
    if (table == u"Localizable")
        return localizable.value(key);
    return {};
}

} // namespace

const Bundle *Bundle::bundleWithIdentifier(QStringView identifier)
{
    static const Bundle framework;
    return identifier == frameworkIdentifier ? &framework : nullptr;
}

QString Bundle::localizedStringForKey(const QString &key, const QString &value,
                                      const QString &table) const
{
    const QString tableName = table.isEmpty() ? QStringLiteral("Localizable") : table;
    const QByteArray context = tableName.toUtf8();
    const QByteArray source = key.toUtf8();
    QString translated = QCoreApplication::translate(context.constData(), source.constData());
    if (translated != key)
        return translated;
    QString english = englishText(tableName, key);
    if (!english.isEmpty())
        return english;
    return value.isEmpty() ? key : value;
}

QString localized(const QString &key, const QString &value, const QString &table)
{
    return Bundle::bundleWithIdentifier(Bundle::frameworkIdentifier)
        ->localizedStringForKey(key, value, table);
}

} // namespace host
