// The side windows against a test site that misbehaves. Each window ends within its page's
// time limit (25 s; the entry search's 20 s per request when the entry has no title number)
// with the rows the page gave, or its message when it gave none.

#include "tests/faults/FaultRoutes.h"
#include "tests/support/TestMain.h"
#include "windows/Location.h"
#include "windows/MyAwards.h"
#include "windows/MyTextWindowController.h"

#include <QElapsedTimer>

using Fault = std::function<void(TestSite::Route &)>;

Q_DECLARE_METATYPE(Fault)

namespace {

const QString dieHardLocations = u"locations/die-hard-tt0095016-2014-01.html"_qs;
const QString antManTrivia = u"trivia/ant-man-tt0478970-2017.html"_qs;
const QStringList noLocations = {u"No Locations"_qs};

} // namespace

class FaultWindowsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void locationsPageFaults_data();
    void locationsPageFaults();
    void locationsPageResetInTheMiddle();
    void triviaPageResetInTheMiddle();
    void triviaPageFaults_data();
    void triviaPageFaults();
    void awardsPageThatNeverComesTimesOut();
    void entrySearchThatNeverComesTimesOut();

private:
    QStringList showLocations(const QVariantMap &entryValues);

    TestHost m_host;
    TestSite m_site{testData(u""_qs)};
    Location m_locations;
    MyAwards m_awards;
    MyTextWindowController m_textWindow;
};

void FaultWindowsTest::initTestCase()
{
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void FaultWindowsTest::init()
{
    m_site.clearRequests();
}

QStringList FaultWindowsTest::showLocations(const QVariantMap &entryValues)
{
    TestEntry entry(entryValues);
    m_host.select(&entry);
    m_locations.showLocationForSelection();
    m_host.select(nullptr);
    return m_locations.locationArray();
}

void FaultWindowsTest::locationsPageFaults_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("rows");
    QTest::newRow("redirect loop")
        << Fault([](TestSite::Route &r) { r.redirectTo = r.target; }) << false;
    QTest::newRow("50 MB body") << Fault([](TestSite::Route &r) { r.hugeBytes = 50'000'000; })
                                << false;
    QTest::newRow("gzip body that expands enormously")
        << Fault([](TestSite::Route &r) { r.gzipBomb = true; }) << false;
    QTest::newRow("404") << Fault([](TestSite::Route &r) {
        r.status = 404;
        r.file.clear();
        r.body = "not here";
    }) << false;
    // The status is not looked at: a whole page is read.
    QTest::newRow("500 with the page") << Fault([](TestSite::Route &r) { r.status = 500; }) << true;
    // Not UTF-8: read as Latin-1.
    QTest::newRow("invalid UTF-8") << Fault([](TestSite::Route &r) {
        r.body = "\xFF\xFE caf\xE9 " + readTestData(r.file);
        r.file.clear();
    }) << true;
}

void FaultWindowsTest::locationsPageFaults()
{
    QFETCH(Fault, fault);
    QFETCH(bool, rows);
    static int number = 8200000;
    const QString titleNumber = QString::number(++number);
    const QString target = u"/title/tt"_qs + titleNumber + u"/locations"_qs;
    const QVariantMap entry{{u"title"_qs, u"Die Hard"_qs}, {u"imdb"_qs, titleNumber}};
    m_site.addRoute(faultRoute(target, dieHardLocations));
    const QStringList whole = showLocations(entry);
    // "Showing all 4 filming locations"
    QCOMPARE(whole.size(), 4);
    QVERIFY(whole.first().startsWith(u"Fox Plaza - 2121 Avenue of the Stars"_qs));

    m_site.addRoute(faultRoute(target, dieHardLocations, fault));
    QElapsedTimer timer;
    timer.start();
    const QStringList shown = showLocations(entry);
    reportFault(QTest::currentDataTag(),
                shown == whole         ? u"the page's 4 locations"_qs
                : shown == noLocations ? u"\"No Locations\""_qs
                                       : u"other rows: "_qs + shown.join(u" | "),
                timer);
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(shown, rows ? whole : noLocations);
    QCOMPARE(m_locations.sceneArray().size(), shown.size());
}

// A reset leaves a body shorter than its announced length: no page, even when Qt ends the
// reply without an error, so the window shows its message rather than a part of the page.
void FaultWindowsTest::locationsPageResetInTheMiddle()
{
    const QVariantMap entry{{u"title"_qs, u"Die Hard"_qs}, {u"imdb"_qs, u"8000070"_qs}};
    m_site.addRoute(faultRoute(u"/title/tt8000070/locations"_qs, dieHardLocations));
    const QStringList whole = showLocations(entry);
    m_site.addRoute(faultRoute(u"/title/tt8000070/locations"_qs, dieHardLocations,
                               [](TestSite::Route &r) { r.reset = true; }));
    QElapsedTimer timer;
    timer.start();
    const QStringList shown = showLocations(entry);
    reportFault("locations page reset in the middle of the body", u"rows: "_qs + shown.join(u" | "),
                timer);
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(whole.size() > 1);
    QCOMPARE(shown, noLocations);
}

void FaultWindowsTest::triviaPageResetInTheMiddle()
{
    TestEntry entry({{u"title"_qs, u"Ant-Man"_qs}, {u"imdb"_qs, u"8000080"_qs}});
    m_host.select(&entry);
    m_site.addRoute(faultRoute(u"/title/tt8000080/trivia"_qs, antManTrivia));
    m_textWindow.showTriviaForSelection();
    const QString whole = m_textWindow.text();
    m_site.addRoute(faultRoute(u"/title/tt8000080/trivia"_qs, antManTrivia,
                               [](TestSite::Route &r) { r.reset = true; }));
    QElapsedTimer timer;
    timer.start();
    m_textWindow.showTriviaForSelection();
    m_host.select(nullptr);
    const QString shown = m_textWindow.text();
    reportFault("trivia page reset in the middle of the body",
                u"text of "_qs + QString::number(shown.size()) + u" characters"_qs, timer);
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(whole.size() > 1000);
    QCOMPARE(shown, u"No trivia available."_qs);
}

void FaultWindowsTest::triviaPageFaults_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("50 MB body") << Fault([](TestSite::Route &r) { r.hugeBytes = 50'000'000; });
    QTest::newRow("gzip body that expands enormously")
        << Fault([](TestSite::Route &r) { r.gzipBomb = true; });
}

void FaultWindowsTest::triviaPageFaults()
{
    QFETCH(Fault, fault);
    static int number = 8300000;
    const QString titleNumber = QString::number(++number);
    m_site.addRoute(faultRoute(u"/title/tt"_qs + titleNumber + u"/trivia"_qs, antManTrivia, fault));
    TestEntry entry({{u"title"_qs, u"Ant-Man"_qs}, {u"imdb"_qs, titleNumber}});
    m_host.select(&entry);
    QElapsedTimer timer;
    timer.start();
    m_textWindow.showTriviaForSelection();
    m_host.select(nullptr);
    reportFault(QTest::currentDataTag(), u"\""_qs + m_textWindow.text() + u'"', timer);
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(m_textWindow.text(), u"No trivia available."_qs);
}

void FaultWindowsTest::awardsPageThatNeverComesTimesOut()
{
    m_site.addRoute(faultRoute(u"/title/tt8000060/awards"_qs,
                               u"awards/die-hard-tt0095016-2014-11.html"_qs,
                               [](TestSite::Route &r) { r.neverAnswer = true; }));
    TestEntry entry({{u"title"_qs, u"Die Hard"_qs}, {u"imdb"_qs, u"8000060"_qs}});
    m_host.select(&entry);
    QElapsedTimer timer;
    timer.start();
    m_awards.showAwardsForSelection();
    m_host.select(nullptr);
    const QVariantList rows = m_awards.rows();
    reportFault("awards page never answers",
                u"rows: "_qs + (rows.isEmpty()
                                    ? QString()
                                    : rows.first().toMap().value(u"award"_qs).toString()),
                timer);
    QCOMPARE(rows, QVariantList({QVariantMap{{u"award"_qs, u"No Awards"_qs}}}));
    QVERIFY2(endedAtTimeLimit(timer.elapsed(), 25000),
             qPrintable(QString::number(timer.elapsed())));
}

// An entry without a title number is first searched for by its title: a find page that
// never answers is asked for once more, each time for up to 20 s.
void FaultWindowsTest::entrySearchThatNeverComesTimesOut()
{
    m_site.addRoute(faultRoute(u"/find*"_qs, {}, [](TestSite::Route &r) { r.neverAnswer = true; }));
    QElapsedTimer timer;
    timer.start();
    const QStringList shown = showLocations({{u"title"_qs, u"Nowhere Film"_qs}});
    reportFault("entry search never answers", u"rows: "_qs + shown.join(u" | "), timer);
    QCOMPARE(shown, noLocations);
    int searches = 0;
    for (const TestSite::Request &request : m_site.requests())
        searches += request.target.startsWith("/find") ? 1 : 0;
    QCOMPARE(searches, 2);
    QVERIFY2(endedAtTimeLimit(timer.elapsed(), qint64(2) * 20000),
             qPrintable(QString::number(timer.elapsed())));
}

IMDB_TEST_MAIN(FaultWindowsTest)
#include "tst_fault_windows.moc"
