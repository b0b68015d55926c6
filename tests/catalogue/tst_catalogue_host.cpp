// The host controller's parts as the plug-in meets them: user-defined fields, plug-in menus,
// the selected entry, and cover images fetched from the test site once.

#include "apps/catalogue/CatalogueHost.h"
#include "apps/catalogue/CatalogueStore.h"
#include "apps/catalogue/CoverCache.h"
#include "apps/catalogue/CustomFieldIndex.h"
#include "apps/catalogue/MainWindow.h"
#include "apps/catalogue/PluginMenus.h"
#include "tests/support/TestMain.h"
#include "tests/support/TestSite.h"

#include <QAction>
#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>

namespace {

// A menu item's target: counts the validations and answers as told.
class ItemTarget : public QObject
{
    Q_OBJECT
public:
    bool enable = true;
    QList<QAction *> asked;

public Q_SLOTS:
    bool validateMenuItem(QAction *item)
    {
        asked.append(item);
        item->setCheckable(true);
        item->setChecked(!enable);
        return enable;
    }
};

QAction *targetedItem(const QString &title, QObject *target)
{
    auto *item = new QAction(title);
    item->setProperty("target", QVariant::fromValue<QObject *>(target));
    return item;
}

QByteArray demoFile(const QString &name)
{
    QFile file(QStringLiteral(IMDB_DEMO_SITE_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class CatalogueHostTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void fieldsAreAnsweredIgnoringCaseFromAnyThread();
    void pluginItemsGoIntoMenusAndAreValidated();
    void selectedEntryIsTheListsSelectionAndWritesThrough();
    void coverIsDownloadedOnceAndKept();

private:
    TestSite m_site;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CatalogueStore> m_store;
};

void CatalogueHostTest::initTestCase()
{
    TestSite::Route poster;
    poster.target = u"/images/poster.jpg"_qs;
    poster.body = demoFile(u"metropolis-poster.jpg"_qs);
    poster.contentType = "image/jpeg";
    QVERIFY(!poster.body.isEmpty());
    m_site.addRoute(poster);
    TestSite::Route notAPicture;
    notAPicture.target = u"/images/error.jpg"_qs;
    notAPicture.body = "<html><body>Service unavailable</body></html>";
    m_site.addRoute(notAPicture);
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void CatalogueHostTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<CatalogueStore>();
    QVERIFY(m_store->open(m_dir->filePath(u"catalogue.sqlite"_qs)));
    m_site.clearRequests();
}

void CatalogueHostTest::cleanup()
{
    m_store.reset();
    m_dir.reset();
}

void CatalogueHostTest::fieldsAreAnsweredIgnoringCaseFromAnyThread()
{
    CustomFieldIndex index(*m_store);
    QCOMPARE(index.customFieldWithTitle(u"Metascore"_qs), std::nullopt);
    const CustomField votes = *m_store->addCustomField(u"IMDb Votes"_qs);
    const CustomField epoch = *m_store->addCustomField(u"Époque"_qs);
    // The index follows the store's changes without being told.
    QCOMPARE(index.customFieldWithTitle(u"imdb votes"_qs), votes.recordKey);
    QCOMPARE(index.customFieldWithTitle(u"IMDB VOTES"_qs), votes.recordKey);
    QCOMPARE(index.customFieldWithTitle(u"ÉPOQUE"_qs), epoch.recordKey);
    QCOMPARE(index.customFieldWithTitle(u"IMDb Vote"_qs), std::nullopt);
    QVERIFY(m_store->removeCustomField(votes.id));
    QCOMPARE(index.customFieldWithTitle(u"IMDb Votes"_qs), std::nullopt);

    // Worker threads ask while the GUI thread changes other fields, renewing the index.
    const CustomField color = *m_store->addCustomField(u"Color"_qs);
    std::atomic<bool> stop{false};
    std::atomic<int> answers{0};
    std::atomic<int> wrong{0};
    QList<QThread *> workers;
    for (int i = 0; i < 4; ++i) {
        workers.append(QThread::create([&] {
            while (!stop.load()) {
                const std::optional<QString> key = index.customFieldWithTitle(u"COLOR"_qs);
                if (!key || *key != color.recordKey)
                    ++wrong;
                index.customFieldWithTitle(u"Composer"_qs);
                ++answers;
            }
        }));
        workers.last()->start();
    }
    for (int i = 0; i < 30; ++i) {
        const std::optional<CustomField> composer = m_store->addCustomField(u"Composer"_qs);
        QVERIFY(composer);
        QVERIFY(m_store->removeCustomField(composer->id));
    }
    QTRY_VERIFY(answers.load() > 1000);
    stop = true;
    for (QThread *worker : workers) {
        QVERIFY(worker->wait(10000));
        delete worker;
    }
    QCOMPARE(wrong.load(), 0);
}

void CatalogueHostTest::pluginItemsGoIntoMenusAndAreValidated()
{
    QMenuBar bar;
    QMenu *view = bar.addMenu(u"View"_qs);
    PluginMenus menus(&bar, view->menuAction());
    ItemTarget target;
    QAction *first = targetedItem(u"Open Site..."_qs, &target);
    QAction *item = targetedItem(u"Local Date in Release"_qs, &target);
    QAction *other = targetedItem(u"Covers"_qs, &target);
    auto *untargeted = new QAction(u"Plain"_qs);
    menus.addMenuItem(first, u"IMDb"_qs);
    menus.addMenuItem(item, u"IMDb"_qs);
    menus.addMenuItem(other, u"Tools"_qs);
    menus.addMenuItem(untargeted, u"IMDb"_qs);

    QMenu *menu = menus.menu(u"IMDb"_qs);
    QVERIFY(menu);
    QCOMPARE(menu->actions(), (QList<QAction *>{first, item, untargeted}));
    QCOMPARE(first->parent(), menu);
    QCOMPARE(menus.menu(u"Tools"_qs)->actions(), QList<QAction *>{other});
    // One menu per title, both before View, in the order they came.
    QCOMPARE(bar.actions().size(), 3);
    QCOMPARE(bar.actions().at(0), menu->menuAction());
    QCOMPARE(bar.actions().at(1)->text(), u"Tools"_qs);
    QCOMPARE(bar.actions().at(2), view->menuAction());

    // Each targeted item is validated each time before its menu shows.
    QVERIFY(target.asked.isEmpty());
    target.enable = false;
    Q_EMIT menu->aboutToShow();
    QCOMPARE(target.asked, (QList<QAction *>{first, item}));
    QVERIFY(!item->isEnabled());
    QVERIFY(item->isChecked());
    QVERIFY(untargeted->isEnabled());
    target.enable = true;
    menu->popup(QPoint(0, 0));
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(target.asked.size(), 4);
    QVERIFY(item->isEnabled());
    QVERIFY(!item->isChecked());
    menu->hide();
}

void CatalogueHostTest::selectedEntryIsTheListsSelectionAndWritesThrough()
{
    const qint64 metropolis = *m_store->addEntry({{u"title"_qs, u"Metropolis"_qs},
                                                  {u"theatrical"_qs, QDate(1927, 1, 1)},
                                                  {u"imdb"_qs, u"17136"_qs}});
    const qint64 nosferatu = *m_store->addEntry({{u"title"_qs, u"Nosferatu"_qs}});
    {
        CoverCache covers(m_dir->filePath(u"covers"_qs));
        MainWindow window(*m_store, covers);
        CustomFieldIndex fields(*m_store);
        CatalogueHost host(*m_store, window, fields);
        QCOMPARE(host::applicationDelegate(), static_cast<HostController *>(&host));
        QCOMPARE(host.selectedEntry(), nullptr);

        window.selectEntry(metropolis);
        CatalogueEntry *entry = host.selectedEntry();
        QVERIFY(entry);
        QCOMPARE(entry->valueForKey(u"title"_qs).toString(), u"Metropolis"_qs);
        QCOMPARE(entry->valueForKey(u"theatrical"_qs).typeId(), QMetaType::QDate);
        QCOMPARE(entry->valueForKey(u"theatrical"_qs).toDate(), QDate(1927, 1, 1));
        QCOMPARE(host::entryText(entry, u"imdb"_qs).string(), u"17136"_qs);
        QVERIFY(!entry->valueForKey(u"director"_qs).isValid());

        // Asked again for the same selection: the same object, with the entry's current values.
        QVERIFY(m_store->updateEntry(metropolis, {{u"title"_qs, u"Metropolis (restored)"_qs}}));
        QCOMPARE(host.selectedEntry(), entry);
        QCOMPARE(entry->valueForKey(u"title"_qs).toString(), u"Metropolis (restored)"_qs);
        // Writes go through to the file; from another thread by way of the store's thread.
        entry->setValueForKey(u"imdb"_qs, u"0017136"_qs);
        QCOMPARE(entry->valueForKey(u"imdb"_qs).toString(), u"0017136"_qs);
        QCOMPARE(m_store->entry(metropolis)->value(u"imdb"_qs).toString(), u"0017136"_qs);
        QThread *worker =
            QThread::create([entry] { entry->setValueForKey(u"imdb"_qs, u"0013442"_qs); });
        worker->start();
        QVERIFY(worker->wait(5000));
        delete worker;
        QTRY_COMPARE(m_store->entry(metropolis)->value(u"imdb"_qs).toString(), u"0013442"_qs);
        CatalogueStore reader;
        QVERIFY(reader.open(m_store->path()));
        QCOMPARE(reader.entry(metropolis)->value(u"imdb"_qs).toString(), u"0013442"_qs);

        window.selectEntry(nosferatu);
        QCOMPARE(host.selectedEntry()->valueForKey(u"title"_qs).toString(), u"Nosferatu"_qs);
        QVERIFY(!host.selectedEntry()->valueForKey(u"theatrical"_qs).isValid());

        // The selection is what the filtered list shows selected.
        window.searchBox()->setText(u"metro"_qs);
        QCOMPARE(window.selectedEntryId(), std::optional<qint64>(metropolis));
        QCOMPARE(host.selectedEntry()->valueForKey(u"title"_qs).toString(),
                 u"Metropolis (restored)"_qs);
        window.searchBox()->setText(u"no such movie"_qs);
        QCOMPARE(host.selectedEntry(), nullptr);
    }
    // A host that is gone is no longer the delegate.
    QCOMPARE(host::applicationDelegate(), nullptr);
}

void CatalogueHostTest::coverIsDownloadedOnceAndKept()
{
    const QString folder = m_dir->filePath(u"covers"_qs);
    // The record's address names the site without the test site's port, as a lookup's does.
    const QString address = u"https://localhost/images/poster.jpg"_qs;
    {
        CoverCache covers(folder);
        QSignalSpy ready(&covers, &CoverCache::coverReady);
        QVERIFY(!covers.request(address));
        QVERIFY(!covers.request(address)); // already under way
        QTRY_COMPARE(ready.size(), 1);
        QCOMPARE(ready.first().at(0).toString(), address);
        QVERIFY(!ready.first().at(1).value<QImage>().isNull());
        const std::optional<QImage> again = covers.request(address);
        QVERIFY(again);
        QCOMPARE(again->size(), ready.first().at(1).value<QImage>().size());
    }
    // A new session finds it on disk.
    CoverCache later(folder);
    QSignalSpy ready(&later, &CoverCache::coverReady);
    QVERIFY(later.request(address));
    QVERIFY(QFile::exists(later.fileFor(address)));

    // Answers that are no picture are not kept, nor asked for again in the session.
    QSignalSpy failed(&later, &CoverCache::coverFailed);
    const QString error = u"https://localhost/images/error.jpg"_qs;
    QVERIFY(!later.request(error));
    QVERIFY(!later.request(u"https://localhost/images/missing.jpg"_qs));
    QTRY_COMPARE(failed.size(), 2);
    QVERIFY(!QFile::exists(later.fileFor(error)));
    QVERIFY(!later.request(error));
    QVERIFY(!later.request(u"not an address"_qs));
    QTest::qWait(200);
    QVERIFY(ready.isEmpty());
    QCOMPARE(m_site.requestCount("/images/poster.jpg"), 1);
    QCOMPARE(m_site.requestCount("/images/error.jpg"), 1);
}

IMDB_TEST_MAIN(CatalogueHostTest)
#include "tst_catalogue_host.moc"
