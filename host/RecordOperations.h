#pragma once

#include <QDate>
#include <QString>
#include <QVariantMap>

namespace host {

// Midnight of January 1 of the date's year.
QDate dateAtBeginningOfYear(QDate date);

// Adds one more text to the list held as text under `key`, joined with ", "; stores the text
// alone when the key holds nothing.
void addString(QVariantMap &record, const QString &string, const QString &key);

} // namespace host
