#include "apps/catalogue/CatalogueStore.h"

#include "apps/catalogue/EntryValues.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>

namespace {

constexpr int schemaVersion = 1;

const char *const schema[] = {
    "CREATE TABLE entries ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " title TEXT NOT NULL DEFAULT '',"
    " original_title TEXT,"
    " theatrical TEXT," // ISO 8601 date
    " imdb TEXT,"
    " record TEXT NOT NULL DEFAULT '{}'," // every value of the entry, one JSON object
    " modified TEXT NOT NULL)",
    // AUTOINCREMENT: a removed field's id, and so its record key, is never handed out again,
    // so a new field cannot inherit values that were never its own.
    "CREATE TABLE custom_fields ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " title TEXT NOT NULL UNIQUE COLLATE NOCASE,"
    " record_key TEXT UNIQUE)",
    "CREATE INDEX entries_title ON entries (title COLLATE NOCASE)",
};

// Rolls back unless committed, so that every early return leaves the file untouched.
class Transaction
{
public:
    explicit Transaction(const QSqlDatabase &database)
        : m_database(database), m_open(m_database.transaction())
    {}
    ~Transaction()
    {
        if (m_open)
            m_database.rollback();
    }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    bool isOpen() const { return m_open; }
    bool commit()
    {
        if (!m_open)
            return false;
        m_open = false;
        if (m_database.commit())
            return true;
        m_database.rollback();
        return false;
    }

private:
    QSqlDatabase m_database;
    bool m_open;
};

QVariant dateColumn(const QVariant &value)
{
    const QDate date = value.toDate();
    return date.isValid() ? QVariant(date.toString(Qt::ISODate)) : QVariant();
}

QVariant textColumn(const QVariant &value)
{
    const QString text = entryvalues::displayText(value);
    return text.isEmpty() ? QVariant() : QVariant(text);
}

bool isEmptyValue(const QVariant &value)
{
    return !value.isValid() || value.isNull();
}

} // namespace

CatalogueStore::CatalogueStore(QObject *parent)
    : QObject(parent)
    , m_connectionName(QStringLiteral("catalogue-%1").arg(reinterpret_cast<quintptr>(this), 0, 16))
    , m_pauseMarkerFile(qEnvironmentVariable("CATALOGUE_TEST_STORE_PAUSE"))
{
    bool ok = false;
    const int pauseMs = qEnvironmentVariableIntValue("CATALOGUE_TEST_STORE_PAUSE_MS", &ok);
    m_pauseDuration = std::chrono::milliseconds(ok ? pauseMs : 60000);
}

CatalogueStore::~CatalogueStore()
{
    close();
}

QString CatalogueStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/catalogue.sqlite");
}

bool CatalogueStore::open(const QString &path)
{
    close();
    m_lastError.clear();
    const QFileInfo file(path);
    if (!QDir().mkpath(file.absolutePath()))
        return fail(tr("Cannot make the folder %1").arg(file.absolutePath()));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(file.absoluteFilePath());
        if (!db.open()) {
            m_lastError = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            return false;
        }
        m_path = file.absoluteFilePath();
    }
    if (!createSchema()) {
        const QString error = m_lastError;
        close();
        m_lastError = error;
        return false;
    }
    return true;
}

void CatalogueStore::close()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_path.clear();
}

bool CatalogueStore::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName) && database().isOpen();
}

QSqlDatabase CatalogueStore::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool CatalogueStore::fail(const QString &message) const
{
    m_lastError = message;
    return false;
}

bool CatalogueStore::createSchema()
{
    QSqlDatabase db = database();
    QSqlQuery query(db);
    // A full sync at every commit: a committed change survives a power cut, not only a crash.
    query.exec(QStringLiteral("PRAGMA synchronous = FULL"));
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return fail(
            tr("%1 is not a catalogue file: %2")
                .arg(QDir::toNativeSeparators(db.databaseName()), query.lastError().text()));
    const int version = query.value(0).toInt();
    if (version == schemaVersion)
        return true;
    if (version > schemaVersion)
        return fail(tr("The catalogue file was made by a newer version of this program."));

    Transaction transaction(db);
    for (const char *statement : schema) {
        if (!query.exec(QString::fromLatin1(statement)))
            return fail(query.lastError().text());
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion)))
        return fail(query.lastError().text());
    return transaction.commit() || fail(db.lastError().text());
}

QList<StoredEntry> CatalogueStore::entries() const
{
    QList<StoredEntry> entries;
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("SELECT id, record FROM entries ORDER BY id"))) {
        fail(query.lastError().text());
        return entries;
    }
    while (query.next())
        entries.append(
            {query.value(0).toLongLong(), entryvalues::fromJson(query.value(1).toByteArray())});
    return entries;
}

std::optional<QVariantMap> CatalogueStore::entry(qint64 id) const
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("SELECT record FROM entries WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return entryvalues::fromJson(query.value(0).toByteArray());
}

bool CatalogueStore::writeEntry(qint64 id, const QVariantMap &values)
{
    QSqlQuery query(database());
    query.prepare(
        QStringLiteral("UPDATE entries SET title = ?, original_title = ?, theatrical = ?, imdb = ?,"
                       " record = ?, modified = ? WHERE id = ?"));
    query.addBindValue(values.value(entrykey::title).toString());
    query.addBindValue(textColumn(values.value(entrykey::originalTitle)));
    query.addBindValue(dateColumn(values.value(entrykey::theatrical)));
    query.addBindValue(textColumn(values.value(entrykey::imdb)));
    query.addBindValue(QString::fromUtf8(entryvalues::toJson(values)));
    query.addBindValue(QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    query.addBindValue(id);
    if (!query.exec())
        return fail(query.lastError().text());
    if (query.numRowsAffected() != 1)
        return fail(tr("There is no entry %1").arg(id));
    return true;
}

std::optional<qint64> CatalogueStore::addEntry(const QVariantMap &values)
{
    QSqlDatabase db = database();
    Transaction transaction(db);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO entries (modified) VALUES (?)"));
    query.addBindValue(QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    if (!transaction.isOpen() || !query.exec()) {
        fail(query.lastError().text());
        return std::nullopt;
    }
    const qint64 id = query.lastInsertId().toLongLong();
    QVariantMap cleaned;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!isEmptyValue(it.value()))
            cleaned.insert(it.key(), it.value());
    }
    if (!writeEntry(id, cleaned) || !transaction.commit())
        return std::nullopt;
    Q_EMIT entryAdded(id);
    return id;
}

bool CatalogueStore::updateEntry(qint64 id, const QVariantMap &changes)
{
    QSqlDatabase db = database();
    Transaction transaction(db);
    // Read inside the transaction, so that the values written are the values read.
    std::optional<QVariantMap> values = entry(id);
    if (!transaction.isOpen() || !values)
        return fail(tr("There is no entry %1").arg(id));
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        if (isEmptyValue(it.value()))
            values->remove(it.key());
        else
            values->insert(it.key(), it.value());
    }
    if (!writeEntry(id, *values) || !transaction.commit())
        return false;
    Q_EMIT entryChanged(id);
    return true;
}

bool CatalogueStore::storeRecord(qint64 id, const QVariantMap &record)
{
    QSqlDatabase db = database();
    Transaction transaction(db);
    const std::optional<QVariantMap> previous = entry(id);
    if (!transaction.isOpen() || !previous)
        return fail(tr("There is no entry %1").arg(id));
    QVariantMap values;
    for (auto it = record.cbegin(); it != record.cend(); ++it) {
        if (!isEmptyValue(it.value()))
            values.insert(it.key(), it.value());
    }
    for (const QString &key : {entrykey::title, entrykey::theatrical}) {
        if (!values.contains(key) && previous->contains(key))
            values.insert(key, previous->value(key));
    }
    if (!writeEntry(id, values))
        return false;
    pauseBeforeCommitIfAsked();
    if (!transaction.commit())
        return fail(db.lastError().text());
    Q_EMIT entryChanged(id);
    return true;
}

bool CatalogueStore::removeEntry(qint64 id)
{
    QSqlDatabase db = database();
    Transaction transaction(db);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM entries WHERE id = ?"));
    query.addBindValue(id);
    if (!transaction.isOpen() || !query.exec())
        return fail(query.lastError().text());
    if (query.numRowsAffected() != 1)
        return fail(tr("There is no entry %1").arg(id));
    if (!transaction.commit())
        return fail(db.lastError().text());
    Q_EMIT entryRemoved(id);
    return true;
}

QList<CustomField> CatalogueStore::customFields() const
{
    QList<CustomField> fields;
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("SELECT id, title, record_key FROM custom_fields "
                                   "ORDER BY title COLLATE NOCASE"))) {
        fail(query.lastError().text());
        return fields;
    }
    while (query.next())
        fields.append(
            {query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString()});
    return fields;
}

std::optional<CustomField> CatalogueStore::addCustomField(const QString &title)
{
    const QString trimmed = title.trimmed();
    if (trimmed.isEmpty()) {
        fail(tr("A field needs a title."));
        return std::nullopt;
    }
    // SQLite's NOCASE folds ASCII letters only; this catches "ÉPOQUE" against "époque".
    for (const CustomField &field : customFields()) {
        if (field.title.compare(trimmed, Qt::CaseInsensitive) == 0) {
            fail(tr("There is a field titled %1 already.").arg(field.title));
            return std::nullopt;
        }
    }
    QSqlDatabase db = database();
    Transaction transaction(db);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO custom_fields (title) VALUES (?)"));
    query.addBindValue(trimmed);
    if (!transaction.isOpen() || !query.exec()) {
        fail(query.lastError().text());
        return std::nullopt;
    }
    CustomField field{query.lastInsertId().toLongLong(), trimmed, {}};
    field.recordKey = QStringLiteral("userField%1").arg(field.id);
    query.prepare(QStringLiteral("UPDATE custom_fields SET record_key = ? WHERE id = ?"));
    query.addBindValue(field.recordKey);
    query.addBindValue(field.id);
    if (!query.exec()) {
        fail(query.lastError().text());
        return std::nullopt;
    }
    if (!transaction.commit()) {
        fail(db.lastError().text());
        return std::nullopt;
    }
    Q_EMIT customFieldsChanged();
    return field;
}

bool CatalogueStore::removeCustomField(qint64 id)
{
    QSqlDatabase db = database();
    Transaction transaction(db);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT record_key FROM custom_fields WHERE id = ?"));
    query.addBindValue(id);
    if (!transaction.isOpen() || !query.exec() || !query.next())
        return fail(tr("There is no field %1").arg(id));
    const QString key = query.value(0).toString();
    query.prepare(QStringLiteral("DELETE FROM custom_fields WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec())
        return fail(query.lastError().text());
    // The keys are made here, of letters and digits only, so they need no quoting in a path.
    const QString path = u"$." + key;
    QList<qint64> touched;
    query.prepare(QStringLiteral("SELECT id FROM entries WHERE json_type(record, ?) IS NOT NULL"));
    query.addBindValue(path);
    if (!query.exec())
        return fail(query.lastError().text());
    while (query.next())
        touched.append(query.value(0).toLongLong());
    query.prepare(QStringLiteral("UPDATE entries SET record = json_remove(record, ?) "
                                 "WHERE json_type(record, ?) IS NOT NULL"));
    query.addBindValue(path);
    query.addBindValue(path);
    if (!query.exec())
        return fail(query.lastError().text());
    if (!transaction.commit())
        return fail(db.lastError().text());
    Q_EMIT customFieldsChanged();
    for (const qint64 entryId : touched)
        Q_EMIT entryChanged(entryId);
    return true;
}

void CatalogueStore::pauseBeforeCommitIfAsked() const
{
    // For the test that kills the process in the middle of storing a record: with
    // CATALOGUE_TEST_STORE_PAUSE naming a file, the store creates that file and waits
    // (CATALOGUE_TEST_STORE_PAUSE_MS, 60 s unless set) inside its transaction before the
    // commit, so that the kill lands between the write and the commit.
    if (m_pauseMarkerFile.isEmpty())
        return;
    QFile marker(m_pauseMarkerFile);
    if (marker.open(QIODevice::WriteOnly))
        marker.close();
    QThread::msleep(static_cast<unsigned long>(m_pauseDuration.count()));
}
