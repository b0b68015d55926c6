// The catalogue file: what an entry keeps across a reopening, what a stored record replaces,
// the user-defined fields and their keys, and files that are not catalogues.

#include "apps/catalogue/CatalogueStore.h"
#include "apps/catalogue/EntryValues.h"
#include "tests/support/TestMain.h"

#include <QDate>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// A record in every value form a lookup gives.
QVariantMap fullRecord()
{
    return {
        {u"title"_qs, u"Metropolis"_qs},
        {u"originalTitle"_qs, u"Metropolis – Die Stadt"_qs},
        {u"theatrical"_qs, QDate(1927, 3, 6)},
        {u"releaseDate"_qs, QDate(1927, 1, 10)},
        {u"imdb"_qs, u"0017136"_qs},
        {u"season"_qs, qint64(2)},
        {u"episode"_qs, qint64(11)},
        {u"myRating"_qs, 8u},
        {u"rating"_qs, 8.3},
        {u"director"_qs, u"Fritz Lang"_qs},
        {u"credits"_qs,
         QVariantList{QVariantMap{{u"name"_qs, u"Brigitte Helm"_qs}, {u"role"_qs, u"Maria"_qs}},
                      QVariantMap{{u"name"_qs, u"Gustav Fröhlich"_qs}}}},
        {u"imageLocationArray"_qs,
         QStringList{u"https://localhost/a.jpg"_qs, u"https://localhost/b.jpg"_qs}},
        {u"userField1"_qs, u"186,432"_qs},
    };
}

// Reads one value straight from the file, as another program would.
QVariant sqlValue(const QString &path, const QString &statement)
{
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"reader"_qs);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(statement) && query.next())
                value = query.value(0);
        }
    }
    QSqlDatabase::removeDatabase(u"reader"_qs);
    return value;
}

} // namespace

class CatalogueStoreTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void recordKeepsEveryValueFormAcrossReopening();
    void storedRecordReplacesTheEntrysValues();
    void changesToMissingEntriesFailAndChangeNothing();
    void customFields();
    void removingAFieldRemovesItsValues();
    void filesThatAreNotCataloguesAreRefused();

private:
    QString path() const { return m_dir->filePath(u"catalogue.sqlite"_qs); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CatalogueStore> m_store;
};

void CatalogueStoreTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_store = std::make_unique<CatalogueStore>();
    QVERIFY2(m_store->open(path()), qPrintable(m_store->lastError()));
}

void CatalogueStoreTest::recordKeepsEveryValueFormAcrossReopening()
{
    QSignalSpy added(m_store.get(), &CatalogueStore::entryAdded);
    const qint64 first = m_store->addEntry({{u"title"_qs, u"Nosferatu"_qs}}).value_or(0);
    const qint64 id = m_store->addEntry({{u"title"_qs, u"Metropolis"_qs}}).value_or(0);
    QVERIFY(first > 0 && id > first);
    QCOMPARE(added.size(), 2);
    QCOMPARE(added.at(0).at(0).toLongLong(), first);
    QVERIFY(m_store->storeRecord(id, fullRecord()));
    m_store.reset();

    CatalogueStore store;
    QVERIFY(store.open(path()));
    const QList<StoredEntry> entries = store.entries();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries.at(0).id, first);
    QCOMPARE(entries.at(0).values.value(u"title"_qs).toString(), u"Nosferatu"_qs);
    const QVariantMap values = store.entry(id).value_or(QVariantMap());
    const QVariantMap expected = fullRecord();
    QCOMPARE(values.keys(), expected.keys());
    // Equal variants are of the same type, numbers apart: those are compared by value.
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QVERIFY2(values.value(it.key()) == it.value(), qPrintable(it.key()));
    QCOMPARE(values.value(u"season"_qs).typeId(), QMetaType::LongLong);
    QCOMPARE(entryvalues::coverAddress(values), u"https://localhost/a.jpg"_qs);

    // The columns other programs read.
    const QString where = u" FROM entries WHERE id = "_qs + QString::number(id);
    QCOMPARE(sqlValue(path(), u"SELECT original_title"_qs + where).toString(),
             u"Metropolis – Die Stadt"_qs);
    QCOMPARE(sqlValue(path(), u"SELECT theatrical"_qs + where).toString(), u"1927-03-06"_qs);
    QCOMPARE(sqlValue(path(), u"SELECT imdb"_qs + where).toString(), u"0017136"_qs);
    QCOMPARE(
        sqlValue(path(), u"SELECT json_extract(record, '$.credits[0].role')"_qs + where).toString(),
        u"Maria"_qs);
    QCOMPARE(sqlValue(path(), u"SELECT json_extract(record, '$.imageLocationArray[1]')"_qs + where)
                 .toString(),
             u"https://localhost/b.jpg"_qs);

    // A rating the site gives as text stays text.
    QVERIFY(store.updateEntry(id, {{u"rating"_qs, u"8.3 (186,432 votes)"_qs}}));
    QCOMPARE(store.entry(id)->value(u"rating"_qs).typeId(), QMetaType::QString);
}

void CatalogueStoreTest::storedRecordReplacesTheEntrysValues()
{
    CatalogueStore &store = *m_store;
    const qint64 id = store
                          .addEntry({{u"title"_qs, u"Metropolis"_qs},
                                     {u"theatrical"_qs, QDate(1927, 1, 1)},
                                     {u"imdb"_qs, u"0000001"_qs},
                                     {u"series"_qs, u"left from an earlier look-up"_qs}})
                          .value_or(0);
    // An update sets and removes single keys and keeps the rest.
    QVERIFY(
        store.updateEntry(id, {{u"imdb"_qs, QVariant()}, {u"theatrical"_qs, QDate(1927, 2, 1)}}));
    QVariantMap values = *store.entry(id);
    QVERIFY(!values.contains(u"imdb"_qs));
    QCOMPARE(values.value(u"series"_qs).toString(), u"left from an earlier look-up"_qs);
    QVERIFY(sqlValue(path(), u"SELECT imdb FROM entries"_qs).isNull());
    QCOMPARE(sqlValue(path(), u"SELECT theatrical FROM entries"_qs).toString(), u"1927-02-01"_qs);

    QSignalSpy changed(&store, &CatalogueStore::entryChanged);
    // A record without title and date (a page that gave neither) keeps the entry's own.
    QVERIFY(store.storeRecord(id, {{u"director"_qs, u"Fritz Lang"_qs},
                                   {u"imdb"_qs, u"0017136"_qs},
                                   {u"summary"_qs, QVariant()}}));
    QCOMPARE(changed.size(), 1);
    values = *store.entry(id);
    QCOMPARE(values.value(u"title"_qs).toString(), u"Metropolis"_qs);
    QCOMPARE(values.value(u"theatrical"_qs).toDate(), QDate(1927, 2, 1));
    QCOMPARE(values.value(u"director"_qs).toString(), u"Fritz Lang"_qs);
    QVERIFY(!values.contains(u"series"_qs));
    QVERIFY(!values.contains(u"summary"_qs));

    QVERIFY(store.storeRecord(
        id, {{u"title"_qs, u"Metropolis (1927)"_qs}, {u"theatrical"_qs, QDate(1927, 3, 6)}}));
    values = *store.entry(id);
    QCOMPARE(values.value(u"title"_qs).toString(), u"Metropolis (1927)"_qs);
    QCOMPARE(values.value(u"theatrical"_qs).toDate(), QDate(1927, 3, 6));
    QVERIFY(!values.contains(u"director"_qs));
    QCOMPARE(sqlValue(path(), u"SELECT title FROM entries"_qs).toString(), u"Metropolis (1927)"_qs);
    QVERIFY(sqlValue(path(), u"SELECT imdb FROM entries"_qs).isNull());
}

void CatalogueStoreTest::changesToMissingEntriesFailAndChangeNothing()
{
    CatalogueStore &store = *m_store;
    const qint64 id = store.addEntry({{u"title"_qs, u"Metropolis"_qs}}).value_or(0);
    QSignalSpy changed(&store, &CatalogueStore::entryChanged);
    QSignalSpy removed(&store, &CatalogueStore::entryRemoved);
    QVERIFY(!store.storeRecord(id + 1, fullRecord()));
    QVERIFY(!store.lastError().isEmpty());
    QVERIFY(!store.updateEntry(id + 1, {{u"title"_qs, u"x"_qs}}));
    QVERIFY(!store.removeEntry(id + 1));
    QVERIFY(changed.isEmpty());
    QVERIFY(removed.isEmpty());
    QCOMPARE(sqlValue(path(), u"SELECT count(*) FROM entries"_qs).toInt(), 1);

    QVERIFY(store.removeEntry(id));
    QCOMPARE(removed.size(), 1);
    QVERIFY(!store.entry(id));
    QVERIFY(!store.removeEntry(id));
    QCOMPARE(sqlValue(path(), u"SELECT count(*) FROM entries"_qs).toInt(), 0);
}

void CatalogueStoreTest::customFields()
{
    CatalogueStore &store = *m_store;
    QSignalSpy changed(&store, &CatalogueStore::customFieldsChanged);
    const std::optional<CustomField> votes = store.addCustomField(u"  IMDb Votes "_qs);
    QVERIFY(votes);
    QCOMPARE(votes->title, u"IMDb Votes"_qs);
    QVERIFY(!votes->recordKey.isEmpty());
    QVERIFY(store.addCustomField(u"Époque"_qs));
    QCOMPARE(changed.size(), 2);

    // Titles are compared ignoring case, beyond ASCII too; empty titles are refused.
    QVERIFY(!store.addCustomField(u"imdb votes"_qs));
    QVERIFY(store.lastError().contains(u"IMDb Votes"_qs));
    QVERIFY(!store.addCustomField(u"ÉPOQUE"_qs));
    QVERIFY(!store.addCustomField(u"   "_qs));
    QCOMPARE(changed.size(), 2);

    const QList<CustomField> fields = store.customFields();
    QCOMPARE(fields.size(), 2);
    QCOMPARE(fields.at(0).title, u"IMDb Votes"_qs);
    QCOMPARE(fields.at(1).title, u"Époque"_qs);
    QVERIFY(fields.at(0).recordKey != fields.at(1).recordKey);

    // A field added after one was removed never gets the removed field's key, even with the
    // removed field's title: values left under the old key must not turn up in the new one.
    QVERIFY(store.removeCustomField(votes->id));
    const std::optional<CustomField> again = store.addCustomField(u"IMDb Votes"_qs);
    QVERIFY(again);
    QVERIFY(again->recordKey != votes->recordKey);
    QVERIFY(again->recordKey != fields.at(1).recordKey);

    CatalogueStore reopened;
    QVERIFY(reopened.open(path()));
    QCOMPARE(reopened.customFields().size(), 2);
    QCOMPARE(reopened.customFields().at(0).recordKey, again->recordKey);
}

void CatalogueStoreTest::removingAFieldRemovesItsValues()
{
    CatalogueStore &store = *m_store;
    const CustomField color = *store.addCustomField(u"Color"_qs);
    const CustomField votes = *store.addCustomField(u"IMDb Votes"_qs);
    const qint64 withValues = store.addEntry({{u"title"_qs, u"Metropolis"_qs}}).value_or(0);
    const qint64 without = store.addEntry({{u"title"_qs, u"Nosferatu"_qs}}).value_or(0);
    QVERIFY(store.storeRecord(withValues, {{u"title"_qs, u"Metropolis"_qs},
                                           {color.recordKey, u"Black and White"_qs},
                                           {votes.recordKey, u"186,432"_qs}}));
    QSignalSpy changed(&store, &CatalogueStore::entryChanged);
    QVERIFY(store.removeCustomField(color.id));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.first().first().toLongLong(), withValues);
    const QVariantMap values = *store.entry(withValues);
    QVERIFY(!values.contains(color.recordKey));
    QCOMPARE(values.value(votes.recordKey).toString(), u"186,432"_qs);
    QCOMPARE(store.entry(without)->value(u"title"_qs).toString(), u"Nosferatu"_qs);
    QVERIFY(!store.removeCustomField(color.id));
}

void CatalogueStoreTest::filesThatAreNotCataloguesAreRefused()
{
    m_store.reset();
    QFile garbage(path());
    QVERIFY(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    CatalogueStore store;
    QVERIFY(!store.open(path()));
    QVERIFY(!store.lastError().isEmpty());
    QVERIFY(!store.isOpen());

    // A file of a later version of the program is left alone.
    const QString newer = m_dir->filePath(u"newer.sqlite"_qs);
    QVERIFY(CatalogueStore().open(newer));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"writer"_qs);
        db.setDatabaseName(newer);
        QVERIFY(db.open());
        QSqlQuery(db).exec(u"PRAGMA user_version = 99"_qs);
    }
    QSqlDatabase::removeDatabase(u"writer"_qs);
    QVERIFY(!store.open(newer));
    QVERIFY(store.lastError().contains(u"newer"_qs));
    QCOMPARE(sqlValue(newer, u"PRAGMA user_version"_qs).toInt(), 99);

    // The default file's folder is made when missing.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir(dataFolder).removeRecursively();
    QVERIFY2(store.open(CatalogueStore::defaultPath()), qPrintable(store.lastError()));
    QVERIFY(QFile::exists(dataFolder + u"/catalogue.sqlite"_qs));
}

IMDB_TEST_MAIN(CatalogueStoreTest)
#include "tst_catalogue_store.moc"
