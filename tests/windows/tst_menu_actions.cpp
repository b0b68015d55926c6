// The "IMDb" menu's eight items as a host sees them, through the plug-in and through a loaded
// bundle without its layouts.

#include "core/IMDB.h"
#include "platform/SystemLog.h"
#include "platform/UserDefaults.h"
#include "tests/support/TestMain.h"
#include "tests/windows/SitePages.h"

#include <QAction>
#include <QMessageBox>
#include <QPluginLoader>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

namespace {

const QString releaseKey = u"Disable IMDB Country Release"_qs;

enum Item {
    OpenSite,
    Awards,
    Location_,
    Goofs,
    Soundtrack,
    Trivia,
    Quotes,
    LocalDate
};

QList<QMessageBox *> openAlerts(QWidget *window)
{
    QList<QMessageBox *> alerts;
    for (QMessageBox *box : window->findChildren<QMessageBox *>()) {
        if (box->isVisible())
            alerts.append(box);
    }
    return alerts;
}

} // namespace

class MenuActionsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void openSite_data();
    void openSite();
    void windowItemsKeepTheirControllers();
    void releaseDateItemFollowsTheOption();
    void missingLayoutsAreLoggedAndSurvived();

private:
    void choose(Item which);
    QAction *item(Item item) const;
    TestHost m_host;
    TestSite m_site{testData(u""_qs)};
    IMDB m_plugin;
};

void MenuActionsTest::initTestCase()
{
    m_site.addRoute(bodyRoute(u"/find?tt=on&nm=on&mx=20&q=Ant-Man"_qs,
                              "<a href=\"/title/tt0478970/\">Ant-Man</a> (2015)"));
    m_site.addRoute(
        pageRoute(u"/title/tt0478970/awards"_qs, u"awards/ant-man-tt0478970-2017.html"_qs));
    m_site.addRoute(
        pageRoute(u"/title/tt0478970/locations"_qs, u"locations/ant-man-tt0478970-2018.html"_qs));
    for (const char16_t *kind : {u"goofs", u"quotes", u"trivia"}) {
        const QString name = QString::fromUtf16(kind);
        m_site.addRoute(
            pageRoute(u"/title/tt0478970/"_qs + name, name + u"/ant-man-tt0478970-2017.html"_qs));
    }
    m_site.addRoute(pageRoute(u"/title/tt0478970/soundtrack"_qs,
                              u"soundtrack/matrix-tt0133093-2014-06.html"_qs));
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
    QCOMPARE(m_host.menuItems(u"IMDb"_qs).size(), 8);
}

void MenuActionsTest::init()
{
    QSettings().clear();
}

void MenuActionsTest::cleanup()
{
    m_host.select(nullptr);
    qDeleteAll(m_host.m_window.findChildren<QMessageBox *>());
}

QAction *MenuActionsTest::item(Item item) const
{
    return m_host.menuItems(u"IMDb"_qs).at(item);
}

void MenuActionsTest::choose(Item which)
{
    item(which)->trigger();
}

void MenuActionsTest::openSite_data()
{
    QTest::addColumn<QVariantMap>("entry"); // an empty one: no selection
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("alert"); // title and text, when there is no number
    QTest::newRow("stored number, padded")
        << QVariantMap{{u"imdb"_qs, u"123"_qs}} << u"0000123"_qs << QString();
    QTest::newRow("stored as a number")
        << QVariantMap{{u"imdb"_qs, 478970}} << u"0478970"_qs << QString();
    QTest::newRow("eight digits") << QVariantMap{{u"imdb"_qs, u"12345678"_qs}} << u"12345678"_qs
                                  << QString();
    QTest::newRow("found by its title")
        << QVariantMap{{u"title"_qs, u"Ant-Man"_qs}, {u"imdb"_qs, u""_qs}} << u"0478970"_qs
        << QString();
    QTest::newRow("no selection") << QVariantMap() << QString()
                                  << u"No Selection: No row selected."_qs;
    QTest::newRow("no number") << QVariantMap{{u"title"_qs, u"Nothing Like It"_qs}} << QString()
                               << u"No IMDB Number: Movie is not linked to an IMDb entry."_qs;
}

void MenuActionsTest::openSite()
{
    QFETCH(QVariantMap, entry);
    QFETCH(QString, number);
    QFETCH(QString, alert);
    TestEntry selected(entry);
    m_host.select(entry.isEmpty() ? nullptr : &selected);
    const qsizetype links = m_host.links().size();
    choose(OpenSite);
    const QList<QMessageBox *> alerts = openAlerts(&m_host.m_window);
    if (alert.isEmpty()) {
        QCOMPARE(m_host.links().last(), u"https://localhost:"_qs +
                                            QString::number(m_site.httpsPort()) + u"/title/tt"_qs +
                                            number);
        QVERIFY(alerts.isEmpty());
    } else {
        QCOMPARE(m_host.links().size(), links);
        QCOMPARE(alerts.size(), 1);
        // A sheet on the main window: modal to it alone, one default "OK".
        QCOMPARE(alerts.first()->parentWidget(), &m_host.m_window);
        QCOMPARE(alerts.first()->windowModality(), Qt::WindowModal);
        QCOMPARE(alerts.first()->text() + u": "_qs + alerts.first()->informativeText(), alert);
        QCOMPARE(alerts.first()->buttons().size(), 1);
        QCOMPARE(alerts.first()->defaultButton()->text(), u"OK"_qs);
        QVERIFY(!selected.values().contains(u"imdb"_qs));
    }
    // A number found by the search is stored in the entry.
    QCOMPARE(host::entryText(&selected, u"imdb"_qs).string(),
             entry.value(u"imdb"_qs).toString().isEmpty() ? number
                                                          : entry.value(u"imdb"_qs).toString());
}

// Each window item shows the selected movie in its window, whose controller the plug-in keeps;
// the four text items share one.
void MenuActionsTest::windowItemsKeepTheirControllers()
{
    QVERIFY(!m_plugin.sideWindowController(u"awardsView"_qs));
    TestEntry entry({{u"title"_qs, u"Ant-Man"_qs}, {u"imdb"_qs, u"0478970"_qs}});
    m_host.select(&entry);
    const std::tuple<Item, QString, QString> uses[] = {
        {Awards, u"awardsView"_qs, u"Movie awards for: Ant-Man"_qs},
        {Location_, u"locationView"_qs, u"Locations for: Ant-Man"_qs},
        {Goofs, u"textWindowViewCont"_qs, u"Movie goofs for: Ant-Man"_qs},
        {Trivia, u"textWindowViewCont"_qs, u"Movie trivia for: Ant-Man"_qs},
        {Soundtrack, u"textWindowViewCont"_qs, u"Movie soundtrack for: Ant-Man"_qs},
        {Quotes, u"textWindowViewCont"_qs, u"Movie quotes for: Ant-Man"_qs}};
    QHash<QString, QObject *> controllers;
    for (const auto &[which, name, title] : uses) {
        choose(which);
        QObject *controller = m_plugin.sideWindowController(name);
        QVERIFY(controller);
        QCOMPARE(controllers.value(name, controller), controller);
        controllers.insert(name, controller);
        QCOMPARE(controller->property("title").toString(), title);
    }
    QCOMPARE(controllers.value(u"awardsView"_qs)->property("rows").toList().size(), 33);
    QCOMPARE(controllers.value(u"locationView"_qs)->property("locationArray").toStringList().size(),
             7);
    QVERIFY(controllers.value(u"textWindowViewCont"_qs)
                ->property("text")
                .toString()
                .startsWith(u"Scott Lang: [Surrounded by police]"_qs));
}

void MenuActionsTest::releaseDateItemFollowsTheOption()
{
    QAction *option = item(LocalDate);
    // Absent: the local date is used, and the item is checked.
    QVERIFY(m_plugin.validateMenuItem(option));
    QVERIFY(option->isChecked());

    choose(LocalDate);
    QCOMPARE(platform::UserDefaults::objectForKey(releaseKey), QVariant(true));
    QVERIFY(m_plugin.validateMenuItem(option));
    QVERIFY(!option->isChecked());

    // Toggled back, the key stays, holding NO.
    choose(LocalDate);
    QVERIFY(QSettings().contains(releaseKey));
    QCOMPARE(platform::UserDefaults::objectForKey(releaseKey), QVariant(false));
    QVERIFY(m_plugin.validateMenuItem(option));
    QVERIFY(option->isChecked());

    // A value stored from outside, in any of the forms settings files hold.
    QSettings().setValue(releaseKey, u"YES"_qs);
    m_plugin.validateMenuItem(option);
    QVERIFY(!option->isChecked());
    choose(LocalDate);
    QCOMPARE(platform::UserDefaults::objectForKey(releaseKey), QVariant(false));

    // Every item is enabled, with or without a selection; only this one carries a check mark.
    QSettings().setValue(releaseKey, true);
    for (bool selected : {false, true}) {
        TestEntry entry({{u"imdb"_qs, u"0478970"_qs}});
        m_host.select(selected ? &entry : nullptr);
        for (int i = OpenSite; i <= LocalDate; ++i) {
            QVERIFY(m_plugin.validateMenuItem(item(Item(i))));
            QVERIFY(!item(Item(i))->isChecked());
        }
    }
}

void MenuActionsTest::missingLayoutsAreLoggedAndSurvived()
{
    // A bundle without its Resources folder.
    QTemporaryDir bundle;
    const QString library =
        QCoreApplication::applicationDirPath() + u"/../PlugIns/IMDB.bundle/IMDB.so"_qs;
    QVERIFY(QFile::copy(library, bundle.filePath(u"IMDB.so"_qs)));
    TestHost host;
    QPluginLoader loader(bundle.filePath(u"IMDB.so"_qs));
    QObject *plugin = loader.instance();
    QVERIFY2(plugin, qPrintable(loader.errorString()));
    const QList<QPointer<QAction>> items = host.menuItems(u"IMDb"_qs);
    QCOMPARE(items.size(), 8);
    TestEntry entry({{u"imdb"_qs, u"0478970"_qs}});
    host.select(&entry);
    platform::LogCapture log;
    for (Item i : {Awards, Location_, Goofs, Quotes, Awards})
        items.at(i)->trigger();
    QCOMPARE(log.lines(), QStringList({u"Awards.nib Failed"_qs, u"Location.nib Failed"_qs,
                                       u"TextWindow.nib Failed"_qs, u"TextWindow.nib Failed"_qs,
                                       u"Awards.nib Failed"_qs}));
    // No window was made; the locations' lists are the controller's own.
    QObject *locations = nullptr;
    QMetaObject::invokeMethod(plugin, "sideWindowController", Q_RETURN_ARG(QObject *, locations),
                              Q_ARG(QString, u"locationView"_qs));
    QVERIFY(locations);
    QCOMPARE(locations->property("locationArray").toStringList().size(), 7);
    QCOMPARE(locations->property("title").toString(), QString());
    host::setApplicationDelegate(&m_host);
    delete plugin;
}

IMDB_TEST_MAIN(MenuActionsTest)
#include "tst_menu_actions.moc"
