// The command-line host's window commands, run as a user runs them: the built imdb-lookup
// against the test site, its output read back.

#include "tests/support/TestMain.h"
#include "tests/windows/SitePages.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

} // namespace

class WindowCommandsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void awardsPrintTitleThenRows();
    void awardsAsJson();
    void locationsKeepOneRowPerLine();
    void quotesPrintPlainTextWhenNotATerminal();
    void quotesAsJsonCarryTheRuns();
    void withoutSelectionTheWindowSaysSo();
    void openSitePrintsTheAddressOrTheAlert();
    void localDateToggles();
    void missingLayoutIsAnError();

private:
    Run run(const QStringList &arguments) const;
    TestSite m_site{testData(u""_qs)};
};

void WindowCommandsTest::initTestCase()
{
    m_site.addRoute(
        pageRoute(u"/title/tt0095016/awards"_qs, u"awards/die-hard-tt0095016-2014-11.html"_qs));
    m_site.addRoute(
        pageRoute(u"/title/tt0478970/awards"_qs, u"awards/ant-man-tt0478970-2017.html"_qs));
    m_site.addRoute(
        pageRoute(u"/title/tt0478970/locations"_qs, u"locations/ant-man-tt0478970-2018.html"_qs));
    m_site.addRoute(
        pageRoute(u"/title/tt0478970/quotes"_qs, u"quotes/ant-man-tt0478970-2017.html"_qs));
    QVERIFY(m_site.start());
    // The program inherits the site's addresses and the test's own settings folder.
    m_site.applyEnvironment();
}

Run WindowCommandsTest::run(const QStringList &arguments) const
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + u"/imdb-lookup"_qs, arguments);
    Run result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void WindowCommandsTest::awardsPrintTitleThenRows()
{
    const Run awards = run({u"awards"_qs, u"--imdb"_qs, u"0095016"_qs, u"Die"_qs, u"Hard"_qs});
    QCOMPARE(awards.status, 0);
    const QStringList lines = awards.out.split(u'\n');
    QCOMPARE(lines.size(), 1 + 12 + 1);
    QCOMPARE(lines.at(0), u"Movie awards for: Die Hard"_qs);
    QCOMPARE(lines.at(1), u"1989\tAcademy Awards, USA\tNominated\tBest Sound\tDon J. Bassman, "
                          u"Kevin F. Cleary, Richard Overton, Al Overton Jr."_qs);
    // A value the row lacks is an empty cell.
    QCOMPARE(lines.at(5),
             u"1990\tAwards of the Japanese Academy\tWon\tBest Foreign Language Film\t"_qs);
    QCOMPARE(lines.at(12), u"1989\tMotion Picture Sound Editors, USA\tWon\tBest Sound Editing - "
                           u"Sound Effects\tRichard Shorr"_qs);
    QCOMPARE(lines.last(), QString());
}

void WindowCommandsTest::awardsAsJson()
{
    const Run awards = run({u"awards"_qs, u"--json"_qs, u"--imdb"_qs, u"0478970"_qs});
    QCOMPARE(awards.status, 0);
    const QJsonObject answer = QJsonDocument::fromJson(awards.out.toUtf8()).object();
    QCOMPARE(answer.value(u"title"_qs).toString(), u"Movie awards for: "_qs);
    const QJsonArray rows = answer.value(u"rows"_qs).toArray();
    QCOMPARE(rows.size(), 33);
    QCOMPARE(rows.at(9).toObject(),
             (QJsonObject{{u"year"_qs, u"2016"_qs},
                          {u"award"_qs, u"Edda Awards, Iceland"_qs},
                          {u"result"_qs, u"Nominated"_qs},
                          {u"category"_qs, u"Best Make Up (Gerfi ársins)"_qs},
                          {u"persons"_qs, u"Heba Thorisdottir"_qs}}));
    QCOMPARE(rows.at(1).toObject().keys(),
             QStringList({u"award"_qs, u"category"_qs, u"result"_qs, u"year"_qs}));
}

void WindowCommandsTest::locationsKeepOneRowPerLine()
{
    const Run locations = run({u"locations"_qs, u"--imdb"_qs, u"0478970"_qs, u"Ant-Man"_qs});
    QCOMPARE(locations.status, 0);
    const QStringList lines = locations.out.split(u'\n');
    QCOMPARE(lines.size(), 1 + 7 + 1);
    QCOMPARE(lines.at(0), u"Locations for: Ant-Man"_qs);
    // A cell's own line break would end the row: it prints as a space.
    QCOMPARE(lines.at(1),
             u"Pinewood Atlanta Studios, 461 Sandy Creek Road, Fayetteville, Georgia, USA\t"_qs);
    QCOMPARE(lines.at(5), u"Conzelman Road, Marin Headlands, California, USA (Returning from San "
                          u"Quentin)\t(Returning from San Quentin)"_qs);

    const Run json = run({u"locations"_qs, u"--json"_qs, u"--imdb"_qs, u"0478970"_qs});
    const QJsonArray rows =
        QJsonDocument::fromJson(json.out.toUtf8()).object().value(u"rows"_qs).toArray();
    QCOMPARE(rows.size(), 7);
    QCOMPARE(rows.at(4).toObject(),
             (QJsonObject{{u"location"_qs,
                           u"Conzelman Road, Marin Headlands, California, USA\n(Returning from San "
                           u"Quentin)"_qs},
                          {u"scene"_qs, u"(Returning from San Quentin)"_qs}}));
}

void WindowCommandsTest::quotesPrintPlainTextWhenNotATerminal()
{
    const Run quotes = run({u"quotes"_qs, u"--imdb"_qs, u"0478970"_qs, u"Ant-Man"_qs});
    QCOMPARE(quotes.status, 0);
    QVERIFY2(quotes.out.startsWith(u"Movie quotes for: Ant-Man\nScott Lang: [Surrounded by "
                                   u"police]\nWait I didn't steal anything! I was returning "
                                   u"something I stole!\n\n\t----------------------\n\n"_qs),
             qPrintable(quotes.out.left(300)));
    QVERIFY(!quotes.out.contains(u'\x1b'));
    QCOMPARE(quotes.out.count(u"\t----------------------\n"_qs), 52);
}

void WindowCommandsTest::quotesAsJsonCarryTheRuns()
{
    const Run quotes = run({u"quotes"_qs, u"--json"_qs, u"--imdb"_qs, u"0478970"_qs});
    QCOMPARE(quotes.status, 0);
    const QJsonObject answer = QJsonDocument::fromJson(quotes.out.toUtf8()).object();
    QCOMPARE(answer.value(u"title"_qs).toString(), u"Movie quotes for: "_qs);
    const QString text = answer.value(u"text"_qs).toString();
    QVERIFY(text.startsWith(u"Scott Lang: [Surrounded by police]\n"_qs));
    const QJsonArray runs = answer.value(u"runs"_qs).toArray();
    QCOMPARE(runs.size(), 154 + 45);
    QCOMPARE(runs.at(0).toObject(),
             (QJsonObject{{u"start"_qs, 0}, {u"length"_qs, 10}, {u"style"_qs, u"bold"_qs}}));
    const QJsonObject direction = runs.at(1).toObject();
    QCOMPARE(direction.value(u"style"_qs).toString(), u"italic"_qs);
    QCOMPARE(text.mid(direction.value(u"start"_qs).toInt(), direction.value(u"length"_qs).toInt()),
             u"Surrounded by police"_qs);
}

void WindowCommandsTest::withoutSelectionTheWindowSaysSo()
{
    const Run awards = run({u"awards"_qs});
    QCOMPARE(awards.status, 0);
    QCOMPARE(awards.out, u"Movie awards for: \n\tPlease Select a Movie\t\t\t\n"_qs);
    const Run goofs = run({u"goofs"_qs});
    QCOMPARE(goofs.out, u"Movie goofs for: \nPlease select a movie before running Goofs.\n"_qs);
}

void WindowCommandsTest::openSitePrintsTheAddressOrTheAlert()
{
    const Run site = run({u"open-site"_qs, u"--imdb"_qs, u"123"_qs});
    QCOMPARE(site.status, 0);
    QCOMPARE(site.out, u"https://localhost:"_qs + QString::number(m_site.httpsPort()) +
                           u"/title/tt0000123\n"_qs);

    const Run none = run({u"open-site"_qs});
    QCOMPARE(none.status, 1);
    QCOMPARE(none.out, QString());
    QVERIFY2(none.err.contains(u"No Selection: No row selected.\n"_qs), qPrintable(none.err));

    const Run unknown = run({u"open-site"_qs, u"Nothing"_qs, u"Like"_qs, u"It"_qs});
    QCOMPARE(unknown.status, 1);
    QVERIFY2(unknown.err.contains(u"No IMDB Number: Movie is not linked to an IMDb entry.\n"_qs),
             qPrintable(unknown.err));
}

void WindowCommandsTest::localDateToggles()
{
    const Run first = run({u"local-date"_qs});
    QCOMPARE(first.status, 0);
    QCOMPARE(first.out, u"off\n"_qs);
    QCOMPARE(run({u"local-date"_qs}).out, u"on\n"_qs);
    QCOMPARE(run({u"local-date"_qs, u"--json"_qs}).out, u"{\"checked\":false}\n"_qs);
    QCOMPARE(run({u"local-date"_qs}).out, u"on\n"_qs);
}

void WindowCommandsTest::missingLayoutIsAnError()
{
    // A bundle without its Resources folder, where the program looks for bundles.
    QTemporaryDir plugIns;
    QVERIFY(QDir(plugIns.path()).mkpath(u"IMDB.bundle"_qs));
    QVERIFY(
        QFile::copy(QCoreApplication::applicationDirPath() + u"/../PlugIns/IMDB.bundle/IMDB.so"_qs,
                    plugIns.filePath(u"IMDB.bundle/IMDB.so"_qs)));
    qputenv("IMDB_PLUGINS_DIR", plugIns.path().toLocal8Bit());
    const Run awards = run({u"awards"_qs, u"--imdb"_qs, u"0095016"_qs});
    qunsetenv("IMDB_PLUGINS_DIR");
    QCOMPARE(awards.status, 1);
    QCOMPARE(awards.out, QString());
    QVERIFY2(awards.err.contains(u"Awards.nib Failed\n"_qs), qPrintable(awards.err));
}

IMDB_TEST_MAIN(WindowCommandsTest)
#include "tst_window_commands.moc"
