// catalogue-screenshots FOLDER
//
// Looks movies up on the demo site, served on loopback, and draws the catalogue's windows
// into FOLDER: the main window with a looked-up entry, the results chooser and the browser
// view. Runs offscreen in temporary settings.

#include "apps/catalogue/BrowserDock.h"
#include "apps/catalogue/CatalogueApplication.h"
#include "apps/catalogue/CatalogueStore.h"
#include "apps/catalogue/EntryView.h"
#include "apps/catalogue/LookupController.h"
#include "apps/catalogue/MainWindow.h"
#include "apps/catalogue/PluginMenus.h"
#include "apps/catalogue/ResultsChooser.h"
#include "apps/shared/ProcessSetup.h"
#include "tests/catalogue/CatalogueDriver.h"
#include "tests/support/TestHost.h"
#include "tests/support/TestSite.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// The credit options that bring the composer and the crew departments into the record.
const char *const creditOptions[] = {"IMDBCredits", "IMDBCreditsMusic",
                                     "IMDBCreditsCinematographer", "IMDBCreditsEditor",
                                     "IMDBAdditionalPlotKeywords"};

// Entries typed by hand, never looked up: title and year.
const std::pair<const char *, int> handEntries[] = {
    {"Sunrise", 1927},       {"The Cabinet of Dr. Caligari", 1920},
    {"The General", 1926},   {"Battleship Potemkin", 1925},
    {"The Kid", 1921},       {"Safety Last!", 1923},
    {"Faust", 1926},         {"The Passion of Joan of Arc", 1928},
    {"Pandora's Box", 1929}, {"Man with a Movie Camera", 1929},
};

bool save(QWidget *widget, const QString &file)
{
    QCoreApplication::processEvents();
    const bool saved = widget->grab().save(file);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(file));
    return saved;
}

bool lookUp(CatalogueApplication &catalogue, qint64 id, int pick, const QString &chooserShot)
{
    catalogue.window().selectEntry(id);
    ResultsChooser *chooser = driver::startLookUp(catalogue.window(), catalogue.lookup());
    if (!chooser)
        return false;
    if (!chooserShot.isEmpty()) {
        chooser->choose(pick);
        QTest::qWait(200);
        save(chooser, chooserShot);
    }
    return driver::pickResult(catalogue.lookup(), chooser, pick).value_or(false);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    IsolatedEnvironment environment;
    hostapp::prepareGuiProcess();
    QApplication app(argc, argv);
    environment.applyNames();
    if (QCoreApplication::arguments().size() != 2) {
        std::fprintf(stderr, "usage: catalogue-screenshots FOLDER\n");
        return 2;
    }
    const QString folder = QCoreApplication::arguments().at(1);
    for (const char *option : creditOptions)
        driver::setUserDefault(QString::fromLatin1(option), true);

    TestSite site(QStringLiteral(IMDB_DEMO_SITE_DIR));
    if (!site.start())
        return 1;
    site.applyEnvironment();

    QTemporaryDir work;
    CatalogueApplication catalogue(
        {work.filePath(QStringLiteral("catalogue.sqlite")), QString(), QString()});
    QString error;
    if (!catalogue.start(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    MainWindow &window = catalogue.window();
    window.resize(1280, 820);
    window.show();
    CatalogueStore &store = catalogue.store();
    for (const char *title : {"IMDb Votes", "Color", "Composer"})
        store.addCustomField(QString::fromLatin1(title));
    const qint64 metropolis =
        *store.addEntry({{QStringLiteral("title"), QStringLiteral("Metropolis")},
                         {QStringLiteral("theatrical"), QDate(1927, 1, 1)}});
    const qint64 nosferatu =
        *store.addEntry({{QStringLiteral("title"), QStringLiteral("Nosferatu")},
                         {QStringLiteral("theatrical"), QDate(1922, 1, 1)},
                         {QStringLiteral("imdb"), QStringLiteral("0013442")}});
    for (const auto &[title, year] : handEntries)
        store.addEntry({{QStringLiteral("title"), QString::fromUtf8(title)},
                        {QStringLiteral("theatrical"), QDate(year, 1, 1)}});

    if (!lookUp(catalogue, nosferatu, 0, QString()) ||
        !lookUp(catalogue, metropolis, 0, folder + QStringLiteral("/catalogue-chooser.png"))) {
        std::fprintf(stderr, "the look-up failed\n");
        return 1;
    }
    if (!QTest::qWaitFor([&] { return !window.entryView()->coverLabel()->pixmap().isNull(); },
                         20000))
        std::fprintf(stderr, "the cover did not come\n");
    save(&window, folder + QStringLiteral("/catalogue-main-window.png"));

    QSignalSpy loaded(window.browser(), &BrowserDock::pageLoaded);
    window.pluginMenus().menu(QStringLiteral("IMDb"))->actions().first()->trigger();
    window.resize(1480, 820);
    window.resizeDocks({window.browser()}, {560}, Qt::Horizontal);
    if (!QTest::qWaitFor([&] { return !loaded.isEmpty(); }, 60000))
        std::fprintf(stderr, "the browser did not load the page\n");
    // The engine paints a moment after it reports the page loaded.
    QTest::qWait(1500);
    save(&window, folder + QStringLiteral("/catalogue-browser.png"));
    return 0;
}
