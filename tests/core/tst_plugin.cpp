// The plug-in as a host sees it: loaded from its bundle with QPluginLoader, its menu, its
// constant answers and its preferences entry point.

#include "apps/shared/PluginBundles.h"
#include "host/MyVellumPlugin.h"
#include "host/VellumPlugin.h"
#include "platform/SystemLog.h"
#include "tests/support/TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPluginLoader>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>

class PluginTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void hostMakesOneInstance();
    void menuHoldsTheEightItems();
    void constantAnswers();
    void preferencesLoadOnceAndShowEachTime();
    void missingPreferencesResourceIsLogged();
    void cleanupTestCase();

private:
    TestHost m_host;
    LoadedPlugin m_plugin;
};

namespace {

QString bundleLibrary()
{
    return QCoreApplication::applicationDirPath() + u"/../PlugIns/IMDB.bundle/IMDB.so"_qs;
}

// Confirms the options panel as soon as it shows.
void confirmPanelWhenShown(QWidget *window)
{
    QTimer::singleShot(0, window, [window] {
        for (QDialog *panel : window->findChildren<QDialog *>()) {
            if (panel->isVisible())
                QMetaObject::invokeMethod(panel->findChild<QAbstractButton *>(u"setPreferences"_qs),
                                          "click");
        }
    });
}

} // namespace

void PluginTest::initTestCase()
{
    QString error;
    m_plugin = hostapp::loadPlugIn(bundleLibrary(), &error);
    QVERIFY2(m_plugin.plugin && m_plugin.interface, qPrintable(error));
}

void PluginTest::hostMakesOneInstance()
{
    // Loading the same bundle again gives the same principal object.
    QPluginLoader loader(bundleLibrary());
    QCOMPARE(loader.instance(), m_plugin.instance);
    QCOMPARE(loader.metaData().value(u"IID"_qs).toString(), QLatin1String(VellumPlugin_iid));
    QCOMPARE(loader.metaData().value(u"className"_qs).toString(), u"IMDB"_qs);
}

void PluginTest::menuHoldsTheEightItems()
{
    const QList<QPointer<QAction>> items = m_host.menuItems(u"IMDb"_qs);
    const QStringList titles = {
        u"Open Site..."_qs,  u"Awards..."_qs, u"Location..."_qs, u"Goofs..."_qs,
        u"Soundtrack..."_qs, u"Trivia..."_qs, u"Quotes..."_qs,   u"Local Date in Release"_qs};
    QCOMPARE(items.size(), titles.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        QVERIFY(items[i]);
        QCOMPARE(items[i]->text(), titles[i]);
        // Only the first has a key equivalent; only the last has a tag.
        QCOMPARE(items[i]->shortcut(), i == 0 ? QKeySequence(u"Ctrl+Shift+I"_qs) : QKeySequence());
        QCOMPARE(items[i]->data().isValid(), i == 7);
    }
    QCOMPARE(items[7]->data().toInt(), 89);
    QCOMPARE(m_host.menuItems(u"Other"_qs).size(), 0);
}

void PluginTest::constantAnswers()
{
    VellumPlugin *plugin = m_plugin.interface;
    QCOMPARE(plugin->countryCode(), u"US"_qs);
    QCOMPARE(plugin->limits(), QStringList{u"title"_qs});
    const auto operations = plugin->implementedOperations();
    QVERIFY(operations.testFlag(VellumPlugin::Operation::DownloadDataComplete));
    QVERIFY(operations.testFlag(VellumPlugin::Operation::OpenPreferences));
    QVERIFY(operations.testFlag(VellumPlugin::Operation::Limits));
    QVERIFY(operations.testFlag(VellumPlugin::Operation::CountryCode));
    QVERIFY(!operations.testFlag(VellumPlugin::Operation::Language));
    QVERIFY(!operations.testFlag(VellumPlugin::Operation::CoverForEntry));
    QVERIFY(!operations.testFlag(VellumPlugin::Operation::Types));
    QVERIFY(!operations.testFlag(VellumPlugin::Operation::Sorts));
    QCOMPARE(m_plugin.instance->metaObject()->className(), "IMDB");
}

void PluginTest::preferencesLoadOnceAndShowEachTime()
{
    platform::LogCapture log;
    confirmPanelWhenShown(&m_host.m_window);
    m_plugin.interface->openPreferences();
    confirmPanelWhenShown(&m_host.m_window);
    m_plugin.interface->openPreferences();
    QCOMPARE(m_host.m_window.findChildren<QDialog *>().size(), 1);
    QVERIFY(!m_host.m_window.findChildren<QDialog *>().first()->isVisible());
    QCOMPARE(log.lines(), QStringList());
}

void PluginTest::missingPreferencesResourceIsLogged()
{
    // A bundle whose Resources folder is missing.
    QTemporaryDir bundle;
    QVERIFY(QFile::copy(bundleLibrary(), bundle.filePath(u"IMDB.so"_qs)));
    const auto restoreHost = qScopeGuard([this] { host::setApplicationDelegate(&m_host); });
    TestHost host;
    QPluginLoader loader(bundle.filePath(u"IMDB.so"_qs));
    auto *plugin = qobject_cast<VellumPlugin *>(loader.instance());
    QVERIFY(plugin);
    platform::LogCapture log;
    plugin->openPreferences();
    plugin->openPreferences();
    QCOMPARE(log.lines(),
             QStringList({u"IMDBPreferences.nib Failed"_qs, u"IMDBPreferences.nib Failed"_qs}));
    QVERIFY(host.m_window.findChildren<QDialog *>().isEmpty());
}

void PluginTest::cleanupTestCase()
{
    delete m_plugin.instance;
}

IMDB_TEST_MAIN(PluginTest)
#include "tst_plugin.moc"
