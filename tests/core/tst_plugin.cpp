// The plug-in as a host sees it: loaded from its bundle with QPluginLoader, its menu and its
// preferences entry point.

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
    // The menu was registered once, loaded twice.
    QCOMPARE(m_host.menuItems(u"IMDb"_qs).size(), 8);
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
