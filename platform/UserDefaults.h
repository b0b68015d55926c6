#pragma once

#include <QString>
#include <QVariant>

namespace platform {

// The host process's user defaults: QSettings in the application's organisation and name.
// Every read goes to the settings afresh; nothing is cached here, so a change made by
// another part of the process, or another process, counts from the next read.
namespace UserDefaults {

QVariant objectForKey(const QString &key);
// The Boolean value of the stored object; an absent key reads as NO.
bool boolForKey(const QString &key);
void setBool(const QString &key, bool value);
void removeObject(const QString &key);

// The Boolean reading of any stored value: numbers are YES when not zero; texts as the
// platform's string-to-Boolean conversion reads them ("YES", "true", "1" and the like).
bool boolValue(const QVariant &value);

} // namespace UserDefaults
} // namespace platform
