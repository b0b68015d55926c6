#pragma once

#include "host/Text.h"

#include <QJsonObject>
#include <QStringList>
#include <QVariantMap>

// The title record: the catalogue fields a lookup returns, by key. Storing null (or an
// invalid value) under a key removes the key, so a field whose steps find nothing is absent.
//
// Value forms: texts (QString); "season", "episode" integers (qint64); "myRating" an
// unsigned integer (uint); "rating" a number (double) or a text; "theatrical",
// "releaseDate" dates (QDate); "imageLocationArray" a list of texts (QStringList); "credits"
// a list of credit entries (QVariantList of QVariantMap with "name" and, when known, "role").
class TitleRecord
{
public:
    TitleRecord() = default;
    explicit TitleRecord(QVariantMap values) : m_values(std::move(values)) {}

    void set(const QString &key, const QVariant &value);
    void set(const QString &key, const Text &value) { set(key, value.toVariant()); }
    void set(const QString &key, const QString &value) { set(key, QVariant(value)); }
    void remove(const QString &key) { m_values.remove(key); }
    // Adds one more text to the ", "-joined list held under `key`.
    void addString(const QString &string, const QString &key);

    QVariant value(const QString &key) const { return m_values.value(key); }
    bool contains(const QString &key) const { return m_values.contains(key); }
    // The value as text when it is one; null otherwise.
    Text text(const QString &key) const { return Text::fromVariant(value(key)); }
    // Absent, null, or a text or list of length zero. A date or a number is not empty.
    bool isEmpty(const QString &key) const;

    // The credits list; appending to a record without one appends nowhere.
    void appendCredit(const QString &name, const Text &role);
    QVariantList credits() const { return value(QStringLiteral("credits")).toList(); }

    QStringList imageLocations() const;
    void setImageLocations(const QStringList &images);

    const QVariantMap &values() const { return m_values; }

    // The record as JSON for hosts: dates as ISO 8601, numbers as numbers, lists as arrays.
    QJsonObject toJson() const;

private:
    QVariantMap m_values;
};

// Record keys with a fixed meaning.
namespace recordkey {
inline const QString url = QStringLiteral("url");
inline const QString locale = QStringLiteral("locale");
inline const QString localeLanguage = QStringLiteral("localeLanguage");
inline const QString imdb = QStringLiteral("imdb");
inline const QString images = QStringLiteral("imageLocationArray");
inline const QString theatrical = QStringLiteral("theatrical");
inline const QString releaseDate = QStringLiteral("releaseDate");
inline const QString title = QStringLiteral("title");
inline const QString originalTitle = QStringLiteral("originalTitle");
inline const QString series = QStringLiteral("series");
inline const QString season = QStringLiteral("season");
inline const QString episode = QStringLiteral("episode");
inline const QString duration = QStringLiteral("duration");
inline const QString myRating = QStringLiteral("myRating");
inline const QString rating = QStringLiteral("rating");
inline const QString director = QStringLiteral("director");
inline const QString creator = QStringLiteral("creator");
inline const QString writer = QStringLiteral("writer");
inline const QString producer = QStringLiteral("producer");
inline const QString awards = QStringLiteral("awards");
inline const QString credits = QStringLiteral("credits");
inline const QString summary = QStringLiteral("summary");
inline const QString tagline = QStringLiteral("tagline");
inline const QString genre = QStringLiteral("genre");
inline const QString rated = QStringLiteral("rated");
inline const QString tags = QStringLiteral("tags");
inline const QString country = QStringLiteral("country");
inline const QString languages = QStringLiteral("languages");
inline const QString studio = QStringLiteral("studio");
inline const QString sound = QStringLiteral("sound");
inline const QString aspectRatio = QStringLiteral("aspectRatio");
inline const QString starring = QStringLiteral("starring");
} // namespace recordkey
