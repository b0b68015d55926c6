// The command-line host's window commands: the built imdb-lookup against the test site.

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
    void awardsAsTextAndJson();
    void locationsKeepOneRowPerLine();
    void quotesAsTextAndJson();
    void shortAnswers_data();
    void shortAnswers();
    void localDateToggles();
    void missingLayoutIsAnError();

private:
    Run run(const QStringList &arguments) const;
    TestSite m_site{testData(u""_qs)};
};

void WindowCommandsTest::initTestCase()
{
    for (const auto &[target, file] :
         {std::pair(u"tt0095016/awards"_qs, u"awards/die-hard-tt0095016-2014-11.html"_qs),
          std::pair(u"tt0478970/awards"_qs, u"awards/ant-man-tt0478970-2017.html"_qs),
          std::pair(u"tt0478970/locations"_qs, u"locations/ant-man-tt0478970-2018.html"_qs),
          std::pair(u"tt0478970/quotes"_qs, u"quotes/ant-man-tt0478970-2017.html"_qs)})
        m_site.addRoute(pageRoute(u"/title/"_qs + target, file));
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

void WindowCommandsTest::awardsAsTextAndJson()
{
    const Run awards = run({u"awards"_qs, u"--imdb"_qs, u"0095016"_qs, u"Die"_qs, u"Hard"_qs});
    QCOMPARE(awards.status, 0);
    const QStringList lines = awards.out.split(u'\n');
    QCOMPARE(lines.size(), 1 + 12 + 1);
    QCOMPARE(lines.at(0), u"Movie awards for: Die Hard"_qs);
    // A value the row lacks is an empty cell.
    QCOMPARE(lines.at(5),
             u"1990\tAwards of the Japanese Academy\tWon\tBest Foreign Language Film\t"_qs);

    // A value the row lacks is left out.
    const Run json = run({u"awards"_qs, u"--json"_qs, u"--imdb"_qs, u"0478970"_qs});
    const QJsonObject answer = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QCOMPARE(answer.value(u"title"_qs).toString(), u"Movie awards for: "_qs);
    const QJsonArray rows = answer.value(u"rows"_qs).toArray();
    QCOMPARE(rows.size(), 33);
    QCOMPARE(rows.at(1).toObject().keys(),
             QStringList({u"award"_qs, u"category"_qs, u"result"_qs, u"year"_qs}));
}

void WindowCommandsTest::locationsKeepOneRowPerLine()
{
    const Run locations = run({u"locations"_qs, u"--imdb"_qs, u"0478970"_qs, u"Ant-Man"_qs});
    QCOMPARE(locations.status, 0);
    const QStringList lines = locations.out.split(u'\n');
    QCOMPARE(lines.size(), 1 + 7 + 1);
    // A cell's own line break would end the row: it prints as a space.
    QCOMPARE(lines.at(5), u"Conzelman Road, Marin Headlands, California, USA (Returning from San "
                          u"Quentin)\t(Returning from San Quentin)"_qs);
    // JSON keeps it.
    const Run json = run({u"locations"_qs, u"--json"_qs, u"--imdb"_qs, u"0478970"_qs});
    const QJsonArray rows =
        QJsonDocument::fromJson(json.out.toUtf8()).object().value(u"rows"_qs).toArray();
    QCOMPARE(rows.at(4).toObject(),
             (QJsonObject{{u"location"_qs,
                           u"Conzelman Road, Marin Headlands, California, USA\n(Returning from San "
                           u"Quentin)"_qs},
                          {u"scene"_qs, u"(Returning from San Quentin)"_qs}}));
}

void WindowCommandsTest::quotesAsTextAndJson()
{
    const Run quotes = run({u"quotes"_qs, u"--imdb"_qs, u"0478970"_qs, u"Ant-Man"_qs});
    QCOMPARE(quotes.status, 0);
    // Plain text when the output is not a terminal.
    QVERIFY2(quotes.out.startsWith(u"Movie quotes for: Ant-Man\nScott Lang: [Surrounded by "
                                   u"police]\nWait I didn't steal anything! I was returning "
                                   u"something I stole!\n\n\t----------------------\n\n"_qs),
             qPrintable(quotes.out.left(300)));
    QVERIFY(!quotes.out.contains(u'\x1b'));

    const Run json = run({u"quotes"_qs, u"--json"_qs, u"--imdb"_qs, u"0478970"_qs});
    const QJsonObject answer = QJsonDocument::fromJson(json.out.toUtf8()).object();
    const QString text = answer.value(u"text"_qs).toString();
    QVERIFY(text.startsWith(u"Scott Lang: [Surrounded by police]\n"_qs));
    // Every speaker's name and stage direction.
    const QJsonArray runs = answer.value(u"runs"_qs).toArray();
    QCOMPARE(runs.size(), 154 + 45);
    QCOMPARE(runs.at(0).toObject(),
             (QJsonObject{{u"start"_qs, 0}, {u"length"_qs, 10}, {u"style"_qs, u"bold"_qs}}));
    const QJsonObject direction = runs.at(1).toObject();
    QCOMPARE(direction.value(u"style"_qs).toString(), u"italic"_qs);
    QCOMPARE(text.mid(direction.value(u"start"_qs).toInt(), direction.value(u"length"_qs).toInt()),
             u"Surrounded by police"_qs);
}

void WindowCommandsTest::shortAnswers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // "%1" stands for the site's HTTPS port
    QTest::addColumn<QString>("error");
    QTest::newRow("awards without selection")
        << QStringList{u"awards"_qs} << 0
        << u"Movie awards for: \n\tPlease Select a Movie\t\t\t\n"_qs << QString();
    QTest::newRow("goofs without selection")
        << QStringList{u"goofs"_qs} << 0
        << u"Movie goofs for: \nPlease select a movie before running Goofs.\n"_qs << QString();
    QTest::newRow("open site") << QStringList{u"open-site"_qs, u"--imdb"_qs, u"123"_qs} << 0
                               << u"https://localhost:%1/title/tt0000123\n"_qs << QString();
    QTest::newRow("open site without selection")
        << QStringList{u"open-site"_qs} << 1 << QString() << u"No Selection: No row selected.\n"_qs;
    QTest::newRow("open site without a number")
        << QStringList{u"open-site"_qs, u"Nothing"_qs, u"Like"_qs, u"It"_qs} << 1 << QString()
        << u"No IMDB Number: Movie is not linked to an IMDb entry.\n"_qs;
}

void WindowCommandsTest::shortAnswers()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, error);
    const Run answer = run(arguments);
    QCOMPARE(answer.status, status);
    QCOMPARE(answer.out, QString(out).replace(u"%1"_qs, QString::number(m_site.httpsPort())));
    QVERIFY2(answer.err.contains(error), qPrintable(answer.err));
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
