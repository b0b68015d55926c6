// The command-line host's search, lookup and prefs commands, run as a user runs them: the
// built imdb-lookup against the test site, its output read back.

#include "tests/support/TestMain.h"
#include "tests/support/TestSite.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

} // namespace

class LookupCommandsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void searchPrintsOneLinePerResultOrJson();
    void lookupPrintsTheRecord();
    void prefsListAndSet();
    void badArguments();

private:
    Run run(const QStringList &arguments) const;
    TestSite m_site{testData(u""_qs)};
};

void LookupCommandsTest::initTestCase()
{
    m_site.addRoute(u"/find?s=tt&q=Archer"_qs, u"find-new/archer-2022-10.html"_qs);
    m_site.addRoute(u"/title/tt1486217"_qs, u"title-2020s/archer-tt1486217-series-2022.html"_qs);
    QVERIFY(m_site.start());
    // The program inherits the site's addresses and the test's own settings folder.
    m_site.applyEnvironment();
}

Run LookupCommandsTest::run(const QStringList &arguments) const
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + u"/imdb-lookup"_qs,
                  QStringList{u"--web-view"_qs, u"static"_qs} + arguments);
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

void LookupCommandsTest::searchPrintsOneLinePerResultOrJson()
{
    const Run search = run({u"search"_qs, u"Archer"_qs});
    QCOMPARE(search.status, 0);
    QCOMPARE(search.out, u"1486217\tArcher\n5806646\tThe Archer\n0088735\tArcher\n"
                         u"0072468\tArcher\n0060490\tHarper\n"_qs);
    QCOMPARE(search.err, QString());

    const Run direct = run({u"search"_qs, u"--imdb"_qs, u"42"_qs});
    QCOMPARE(direct.out, u"0000042\tIMDB #:0000042\n"_qs);
    const Run none = run({u"search"_qs, u"Nothing"_qs, u"Like"_qs, u"It"_qs});
    QCOMPARE(none.status, 0);
    QCOMPARE(none.out, QString());
    QCOMPARE(none.err, u"0 results\n"_qs);

    const Run json = run({u"search"_qs, u"--json"_qs, u"Archer"_qs});
    QCOMPARE(json.status, 0);
    const QJsonObject answer = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QCOMPARE(answer.value(u"count"_qs).toInt(), 5);
    const QJsonArray results = answer.value(u"results"_qs).toArray();
    QCOMPARE(results.size(), 5);
    QCOMPARE(results.at(1).toObject().value(u"number"_qs).toString(), u"5806646"_qs);
    QCOMPARE(results.at(1).toObject().value(u"title"_qs).toString(), u"The Archer"_qs);
}

void LookupCommandsTest::lookupPrintsTheRecord()
{
    const Run lookup = run({u"lookup"_qs, u"Archer"_qs});
    QCOMPARE(lookup.status, 0);
    const QJsonObject record = QJsonDocument::fromJson(lookup.out.toUtf8()).object();
    QCOMPARE(record.value(u"imdb"_qs).toString(), u"1486217"_qs);
    QCOMPARE(record.value(u"title"_qs).toString(), u"Archer"_qs);
    // A series: its title is also the series'.
    QCOMPARE(record.value(u"series"_qs).toString(), u"Archer"_qs);
    QCOMPARE(record.value(u"genre"_qs).toString(), u"Animation, Action, Comedy"_qs);
    QCOMPARE(record.value(u"rated"_qs).toString(), u"TV-MA"_qs);
    // Without a votes field the rating carries the votes, grouped for the locale.
    const QString rating = record.value(u"rating"_qs).toString();
    QVERIFY2(rating.startsWith(u"8.7 (149") && rating.endsWith(u"827 votes)"), qPrintable(rating));
    QVERIFY(record.value(u"credits"_qs).toArray().size() > 10);
    QVERIFY(record.value(u"imageLocationArray"_qs).isArray());

    // With a votes field in the catalogue the votes go there.
    const Run withVotes = run({u"lookup"_qs, u"--custom-field"_qs, u"IMDb Votes"_qs, u"--pick"_qs,
                               u"0"_qs, u"Archer"_qs});
    QCOMPARE(withVotes.status, 0);
    const QJsonObject voted = QJsonDocument::fromJson(withVotes.out.toUtf8()).object();
    QCOMPARE(voted.value(u"rating"_qs).toDouble(), 8.7);
    const QString votes = voted.value(u"IMDb Votes"_qs).toString();
    QVERIFY2(votes.startsWith(u"149") && votes.endsWith(u"827") && votes.size() == 7,
             qPrintable(votes));

    // A result that is not there: the plug-in's error record, and its log line.
    const Run missing = run({u"lookup"_qs, u"--pick"_qs, u"9"_qs, u"Archer"_qs});
    QCOMPARE(QJsonDocument::fromJson(missing.out.toUtf8()).object(),
             (QJsonObject{{u"title"_qs, u"No Data Found on IMDB"_qs}}));
    QVERIFY(missing.err.contains(u"Error: IMDb number for requested out of range number 9"_qs));
}

void LookupCommandsTest::prefsListAndSet()
{
    Run list = run({u"prefs"_qs});
    QCOMPARE(list.status, 0);
    QVERIFY(list.out.contains(u"IMDBCreditsActors\toff\n"_qs));
    QVERIFY(list.out.contains(u"Disable IMDB Country Release\toff\n"_qs));

    QCOMPARE(run({u"prefs"_qs, u"IMDBCreditsActors"_qs, u"on"_qs}).status, 0);
    QCOMPARE(run({u"prefs"_qs, u"IMDB"_qs, u"debug"_qs, u"file"_qs, u"on"_qs}).status, 0);
    list = run({u"prefs"_qs});
    QVERIFY(list.out.contains(u"IMDBCreditsActors\ton\n"_qs));
    QVERIFY(list.out.contains(u"IMDB debug file\ton\n"_qs));
    // "off" removes the key, as the options panel does.
    QCOMPARE(run({u"prefs"_qs, u"IMDBCreditsActors"_qs, u"off"_qs}).status, 0);
    QCOMPARE(run({u"prefs"_qs, u"IMDB"_qs, u"debug"_qs, u"file"_qs, u"off"_qs}).status, 0);
    QSettings settings(u"imdb-lookup"_qs, u"imdb-lookup"_qs);
    QVERIFY(!settings.contains(u"IMDBCreditsActors"_qs));
}

void LookupCommandsTest::badArguments()
{
    QCOMPARE(run({u"prefs"_qs, u"NoSuchKey"_qs, u"on"_qs}).status, 2);
    QCOMPARE(run({u"prefs"_qs, u"IMDBCreditsActors"_qs, u"maybe"_qs}).status, 2);
    QCOMPARE(run({u"no-such-command"_qs}).status, 2);
    QCOMPARE(run({u"lookup"_qs, u"--pick"_qs, u"x"_qs, u"Archer"_qs}).status, 2);
}

IMDB_TEST_MAIN(LookupCommandsTest)
#include "tst_lookup_commands.moc"
