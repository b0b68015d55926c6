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

// Each window's page, the saved page it is given, and the window's message for no page.
const QHash<QString, std::pair<QString, QString>> pages = {
    {u"locations"_qs, {u"locations/die-hard-tt0095016-2014-01.html"_qs, u"No Locations"_qs}},
    {u"trivia"_qs, {u"trivia/ant-man-tt0478970-2017.html"_qs, u"No trivia available."_qs}},
    {u"awards"_qs, {u"awards/die-hard-tt0095016-2014-11.html"_qs, u"No Awards"_qs}}};

} // namespace

class FaultWindowsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void pageFaults_data();
    void pageFaults();
    void entrySearchThatNeverComesTimesOut();

private:
    // What the window for `page` shows of the selected entry: its rows or its text.
    QString show(const QString &page);

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

QString FaultWindowsTest::show(const QString &page)
{
    if (page == u"trivia") {
        m_textWindow.showTriviaForSelection();
        return m_textWindow.text();
    }
    if (page == u"awards") {
        m_awards.showAwardsForSelection();
        QStringList awards;
        for (const QVariant &row : m_awards.rows())
            awards.append(row.toMap().value(u"award"_qs).toString());
        return awards.join(u" | ");
    }
    m_locations.showLocationForSelection();
    if (m_locations.sceneArray().size() != m_locations.locationArray().size())
        return u"lists of different lengths"_qs;
    return m_locations.locationArray().join(u" | ");
}

void FaultWindowsTest::pageFaults_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<qint64>("limitMs"); // 0: ends at once, within the slack
    QTest::addColumn<bool>("whole");     // the whole page's rows, else the message
    const Fault reset = [](TestSite::Route &r) { r.reset = true; };
    const Fault huge = [](TestSite::Route &r) { r.hugeBytes = 50'000'000; };
    const Fault gzipBomb = [](TestSite::Route &r) { r.gzipBomb = true; };
    // A reset leaves a body shorter than its announced length: no page, even when Qt ends the
    // reply without an error, so the window shows its message rather than a part of the page.
    QTest::newRow("locations page reset in the middle of the body")
        << u"locations"_qs << reset << qint64(0) << false;
    QTest::newRow("redirect loop")
        << u"locations"_qs << Fault([](TestSite::Route &r) { r.redirectTo = r.target; })
        << qint64(0) << false;
    QTest::newRow("50 MB body") << u"locations"_qs << huge << qint64(0) << false;
    QTest::newRow("gzip body that expands enormously")
        << u"locations"_qs << gzipBomb << qint64(0) << false;
    QTest::newRow("404") << u"locations"_qs << Fault([](TestSite::Route &r) {
        r.status = 404;
        r.file.clear();
        r.body = "not here";
    }) << qint64(0) << false;
    // The status is not looked at: a whole page is read.
    QTest::newRow("500 with the page")
        << u"locations"_qs << Fault([](TestSite::Route &r) { r.status = 500; }) << qint64(0)
        << true;
    // Not UTF-8: read as Latin-1.
    QTest::newRow("invalid UTF-8") << u"locations"_qs << Fault([](TestSite::Route &r) {
        r.body = "\xFF\xFE caf\xE9 " + readTestData(r.file);
        r.file.clear();
    }) << qint64(0) << true;
    QTest::newRow("trivia page reset in the middle of the body")
        << u"trivia"_qs << reset << qint64(0) << false;
    QTest::newRow("trivia page: 50 MB body") << u"trivia"_qs << huge << qint64(0) << false;
    QTest::newRow("trivia page: gzip body that expands enormously")
        << u"trivia"_qs << gzipBomb << qint64(0) << false;
    QTest::newRow("awards page never answers")
        << u"awards"_qs << Fault([](TestSite::Route &r) { r.neverAnswer = true; }) << qint64(25000)
        << false;
}

void FaultWindowsTest::pageFaults()
{
    QFETCH(QString, page);
    QFETCH(Fault, fault);
    QFETCH(qint64, limitMs);
    QFETCH(bool, whole);
    static int number = 8200000;
    const QString titleNumber = QString::number(++number);
    const QString target = u"/title/tt"_qs + titleNumber + u'/' + page;
    const auto &[file, message] = pages.value(page);
    TestEntry entry({{u"title"_qs, u"Film"_qs}, {u"imdb"_qs, titleNumber}});
    m_host.select(&entry);
    m_site.addRoute(faultRoute(target, file));
    const QString wholePage = show(page);
    // "Showing all 4 filming locations"
    if (page == u"locations")
        QVERIFY(wholePage.startsWith(u"Fox Plaza - 2121 Avenue of the Stars"_qs));
    QVERIFY2(wholePage.size() > 250, qPrintable(wholePage));

    m_site.addRoute(faultRoute(target, file, fault));
    QElapsedTimer timer;
    timer.start();
    const QString shown = show(page);
    m_host.select(nullptr);
    reportFault(QTest::currentDataTag(),
                shown == wholePage ? QString(u"the whole page's "_qs + page)
                                   : QString(u"\""_qs + shown.left(200) + u'"'),
                timer);
    QCOMPARE(shown, whole ? wholePage : message);
    QVERIFY2(endedAtTimeLimit(timer.elapsed(), limitMs),
             qPrintable(QString::number(timer.elapsed())));
}

// An entry without a title number is first searched for by its title: a find page that
// never answers is asked for once more, each time for up to 20 s.
void FaultWindowsTest::entrySearchThatNeverComesTimesOut()
{
    m_site.addRoute(faultRoute(u"/find*"_qs, {}, [](TestSite::Route &r) { r.neverAnswer = true; }));
    QElapsedTimer timer;
    timer.start();
    TestEntry entry({{u"title"_qs, u"Nowhere Film"_qs}});
    m_host.select(&entry);
    const QString shown = show(u"locations"_qs);
    m_host.select(nullptr);
    reportFault("entry search never answers", u"rows: "_qs + shown, timer);
    QCOMPARE(shown, u"No Locations"_qs);
    int searches = 0;
    for (const TestSite::Request &request : m_site.requests())
        searches += request.target.startsWith("/find") ? 1 : 0;
    QCOMPARE(searches, 2);
    QVERIFY2(endedAtTimeLimit(timer.elapsed(), qint64(2) * 20000),
             qPrintable(QString::number(timer.elapsed())));
}

IMDB_TEST_MAIN(FaultWindowsTest)
#include "tst_fault_windows.moc"
