#pragma once

#include <QString>
#include <QVariant>

namespace details {

// The "name" of every element of the list held under `key` in the structured data, joined
// by ", "; an empty text when there is no such list. Elements without a name are passed over.
QString stringFromJSON(const QVariant &object, const QString &key);

} // namespace details
