#pragma once

#include <QString>

namespace host {

// The framework's bundle, found by its identifier, as far as the plug-in needs it: the
// lookup of its translated texts.
class Bundle
{
public:
    static constexpr QStringView frameworkIdentifier = u"com.kavor.vellumbase";

    // The bundle with that identifier, or null.
    static const Bundle *bundleWithIdentifier(QStringView identifier);

    // The translation of `key` in `table` ("Localizable" when none is given): a translation
    // the application installed, else the framework's English text, else `value` when one is
    // given, else the key itself.
    QString localizedStringForKey(const QString &key, const QString &value = {},
                                  const QString &table = {}) const;
};

// The framework bundle's translation of `key`.
QString localized(const QString &key, const QString &value = {}, const QString &table = {});

} // namespace host
