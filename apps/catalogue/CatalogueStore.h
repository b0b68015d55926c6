#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <chrono>
#include <optional>

class QSqlDatabase;

// A user-defined field of the catalogue: the title the user gave it and the record key the
// catalogue gave it, under which entries hold its values.
struct CustomField
{
    qint64 id = 0;
    QString title;
    QString recordKey;
};

struct StoredEntry
{
    qint64 id = 0;
    QVariantMap values;
};

// The catalogue file: an SQLite database of movie entries and user-defined fields, reached
// through one connection owned by the thread that made the store (the GUI thread).
//
// An entry keeps all its values as one JSON object; its title, original title, theatrical
// date and title number are also columns of their own, for sorting and for other readers of
// the file. Every change is one transaction, so a crash or a kill in the middle of a change
// leaves the file as it was before it: SQLite's rollback journal undoes the half-written
// transaction the next time the file is opened.
class CatalogueStore : public QObject
{
    Q_OBJECT
public:
    explicit CatalogueStore(QObject *parent = nullptr);
    ~CatalogueStore() override;

    // The file the catalogue keeps when none is named: catalogue.sqlite in the user's data
    // folder.
    static QString defaultPath();

    // Opens the file at `path`, creating it (and its folder) when missing. False with
    // lastError() when it cannot be opened or is not a catalogue.
    bool open(const QString &path);
    void close();
    bool isOpen() const;
    QString path() const { return m_path; }
    QString lastError() const { return m_lastError; }

    QList<StoredEntry> entries() const;
    std::optional<QVariantMap> entry(qint64 id) const;
    std::optional<qint64> addEntry(const QVariantMap &values);
    // Sets the given values of an entry; a null or invalid value removes its key.
    bool updateEntry(qint64 id, const QVariantMap &changes);
    // Stores a looked-up title record into the entry. The record replaces the entry's
    // values, except that the entry keeps its own title and theatrical date when the record
    // brings none.
    bool storeRecord(qint64 id, const QVariantMap &record);
    bool removeEntry(qint64 id);

    QList<CustomField> customFields() const;
    // Adds a field with a record key of its own, never used before in this file. Nothing
    // when the title is empty or another field has it (ignoring case).
    std::optional<CustomField> addCustomField(const QString &title);
    // Removes the field and every entry's value under its key.
    bool removeCustomField(qint64 id);

Q_SIGNALS:
    void entryAdded(qint64 id);
    void entryChanged(qint64 id);
    void entryRemoved(qint64 id);
    void customFieldsChanged();

private:
    QSqlDatabase database() const;
    bool createSchema();
    bool writeEntry(qint64 id, const QVariantMap &values);
    bool fail(const QString &message) const;
    void pauseBeforeCommitIfAsked() const;

    QString m_connectionName;
    QString m_path;
    mutable QString m_lastError;
    // A test-only hook: see pauseBeforeCommitIfAsked().
    QString m_pauseMarkerFile;
    std::chrono::milliseconds m_pauseDuration{0};
};
