#pragma once

#include <QDate>
#include <QJsonObject>
#include <QString>
#include <QVariantMap>

namespace host {

// Midnight of January 1 of the date's year.
QDate dateAtBeginningOfYear(QDate date);

// Adds one more text to the list held as text under `key`, joined with ", "; stores the text
// alone when the key holds nothing.
void addString(QVariantMap &record, const QString &string, const QString &key);

// A record as JSON for hosts: dates as ISO 8601 ("1994-09-23"), numbers as numbers, lists as
// arrays, dictionaries as objects.
QJsonObject recordToJson(const QVariantMap &record);

} // namespace host
