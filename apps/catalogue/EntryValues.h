#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

// A catalogue entry is a map of values under the keys of a title record ("title",
// "theatrical", "credits", "imageLocationArray", ...) plus the record keys of the
// catalogue's user-defined fields. These are the keys the catalogue itself looks at.
namespace entrykey {
inline const QString title = QStringLiteral("title");
inline const QString originalTitle = QStringLiteral("originalTitle");
inline const QString theatrical = QStringLiteral("theatrical");
inline const QString releaseDate = QStringLiteral("releaseDate");
inline const QString imdb = QStringLiteral("imdb");
inline const QString images = QStringLiteral("imageLocationArray");
inline const QString credits = QStringLiteral("credits");
inline const QString director = QStringLiteral("director");
inline const QString starring = QStringLiteral("starring");
} // namespace entrykey

namespace entryvalues {

// The values as the catalogue file keeps them: one JSON object, dates as ISO 8601 texts.
QByteArray toJson(const QVariantMap &values);
// The values read back from the file, in the forms a lookup gives them: QDate under the
// date keys, whole numbers under the counting keys, QStringList for the image list.
QVariantMap fromJson(const QByteArray &json);

// The year of the theatrical date, or 0 when the entry has none.
int year(const QVariantMap &values);
// The preferred cover: the first address of the image list, or an empty text.
QString coverAddress(const QVariantMap &values);
// A value as one line of text for the views: dates in ISO form, lists joined by ", ".
QString displayText(const QVariant &value);

} // namespace entryvalues
