// A kill in the middle of storing a record: the application is killed (SIGKILL) inside the
// store's transaction, after the record was written and before the commit, and the
// catalogue file must still be a valid database holding the entry as it was before.

#include "apps/catalogue/CatalogueStore.h"
#include "tests/support/TestMain.h"
#include "tests/support/TestSite.h"

#include <QDate>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <csignal>

namespace {

// What the entry holds before the look-up the test interrupts.
const QVariantMap before{{u"title"_qs, u"Metropolis"_qs},
                         {u"theatrical"_qs, QDate(1927, 1, 1)},
                         {u"imdb"_qs, u"0017136"_qs},
                         {u"director"_qs, u"typed by hand"_qs},
                         {u"credits"_qs, QVariantList{QVariantMap{{u"name"_qs, u"Someone"_qs}}}}};

QString integrityOf(const QString &path)
{
    QString answer;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"integrity"_qs);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(u"PRAGMA integrity_check"_qs) && query.next())
                answer = query.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(u"integrity"_qs);
    return answer;
}

} // namespace

class CatalogueKillTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killInsideTheTransactionKeepsThePreviousEntry();

private:
    TestSite m_site{QStringLiteral(IMDB_DEMO_SITE_DIR)};
};

void CatalogueKillTest::killInsideTheTransactionKeepsThePreviousEntry()
{
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"catalogue.sqlite"_qs);
    const QString marker = dir.filePath(u"in-transaction"_qs);
    qint64 entry = 0;
    {
        CatalogueStore store;
        QVERIFY(store.open(path));
        store.addEntry({{u"title"_qs, u"Nosferatu"_qs}});
        entry = store.addEntry({{u"title"_qs, u"Metropolis"_qs}}).value_or(0);
        QVERIFY(store.storeRecord(entry, before));
    }

    // The application's look-up of the entry, with the store's pause hook set.
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"CATALOGUE_TEST_STORE_PAUSE"_qs, marker);
    environment.insert(u"CATALOGUE_TEST_STORE_PAUSE_MS"_qs, u"120000"_qs);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(CATALOGUE_LOOKUP_CHILD), {path, QString::number(entry), u"0"_qs});
    QVERIFY(child.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker) || child.state() == QProcess::NotRunning,
                             120000);
    QVERIFY2(QFile::exists(marker), "the application never reached the store's commit");
    QCOMPARE(child.state(), QProcess::Running);
    // The record is written inside the open transaction: SQLite's journal is on disk.
    QVERIFY(QFile::exists(path + u"-journal"_qs));
    ::kill(pid_t(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QVERIFY(!child.readAllStandardOutput().contains("stored"));

    QCOMPARE(integrityOf(path), u"ok"_qs);
    CatalogueStore store;
    QVERIFY2(store.open(path), qPrintable(store.lastError()));
    QCOMPARE(store.entries().size(), 2);
    const QVariantMap values = store.entry(entry).value_or(QVariantMap());
    QCOMPARE(values, before);
    // And it takes changes again.
    QVERIFY2(store.updateEntry(entry, {{u"director"_qs, u"Fritz Lang"_qs}}),
             qPrintable(store.lastError()));
    CatalogueStore reader;
    QVERIFY(reader.open(path));
    QCOMPARE(reader.entry(entry)->value(u"director"_qs).toString(), u"Fritz Lang"_qs);
}

IMDB_TEST_MAIN(CatalogueKillTest)
#include "tst_catalogue_kill.moc"
