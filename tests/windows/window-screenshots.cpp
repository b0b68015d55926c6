// Draws the side windows and the options panel offscreen over saved pages served by the test
// site, and writes a PNG of each into the folder given (docs/screenshots in the source tree):
//
//     build/bin/window-screenshots docs/screenshots

#include "core/IMDB.h"
#include "preferences/IMDBOptionsPanel.h"
#include "tests/support/TestMain.h"
#include "tests/windows/SitePages.h"
#include "windows/Location.h"
#include "windows/MyAwards.h"
#include "windows/MyTextWindowController.h"

#include <QDir>
#include <QTextCursor>
#include <QTextEdit>

#include <cstdio>

namespace {

bool save(QWidget *window, const QString &path)
{
    if (!window)
        return false;
    // Let the window lay itself out and paint before it is grabbed.
    QTest::qWait(100);
    const bool saved = window->grab().save(path);
    std::fprintf(stderr, "%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    IsolatedEnvironment environment;
    QApplication app(argc, argv);
    environment.applyNames();
    if (argc != 2) {
        std::fprintf(stderr, "usage: window-screenshots FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        return 1;

    TestSite site(testData(QString()));
    for (const char *page :
         {"awards/die-hard-tt0095016-2014-11", "locations/die-hard-tt0095016-2018-08",
          "quotes/ant-man-tt0478970-2017"}) {
        const QString file = QString::fromLatin1(page);
        const QString kind = file.section(u'/', 0, 0);
        const QString number = file.section(u"-tt"_qs, 1).left(7);
        site.addRoute(pageRoute(u"/title/tt"_qs + number + u'/' + kind, file + u".html"_qs));
    }
    if (!site.start())
        return 1;
    site.applyEnvironment();
    TestHost host;
    bool saved = true;

    TestEntry dieHard({{u"title"_qs, u"Die Hard"_qs}, {u"imdb"_qs, u"0095016"_qs}});
    host.select(&dieHard);
    MyAwards awards;
    awards.showAwardsForSelection();
    saved &= save(awards.window(), folder.filePath(u"awards-window.png"_qs));
    Location locations;
    locations.showLocationForSelection();
    saved &= save(locations.window(), folder.filePath(u"locations-window.png"_qs));

    TestEntry antMan({{u"title"_qs, u"Ant-Man"_qs}, {u"imdb"_qs, u"0478970"_qs}});
    host.select(&antMan);
    MyTextWindowController text;
    text.showQuotesForSelection();
    // The second quote shows speakers and directions in turn.
    text.mainText()->moveCursor(QTextCursor::Start);
    saved &= save(text.window(), folder.filePath(u"text-window-quotes.png"_qs));

    std::unique_ptr<IMDBOptionsPanel> options = IMDBOptionsPanel::load(IMDB::resourcesDirectory());
    if (options) {
        for (int row : {0, 3, 4, 20})
            options->cellAt(row)->setChecked(true);
        options->panel()->show();
        saved &= save(options->panel(), folder.filePath(u"options-panel.png"_qs));
        options->panel()->hide();
    } else {
        saved = false;
    }
    host.select(nullptr);
    return saved ? 0 : 1;
}
