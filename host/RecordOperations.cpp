#include "host/RecordOperations.h"

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

} // namespace host
