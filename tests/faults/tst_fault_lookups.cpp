// Lookups against a test site that misbehaves: pages that never come, come cut off, come
// with error statuses, loop, never end, are too large, are not UTF-8, or expand without end.
// Each lookup ends within its requests' time limits with what the other pages gave.

#include "core/IMDB.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"
#include "tests/faults/FaultRoutes.h"
#include "tests/support/TestMain.h"

#include <QElapsedTimer>

using platform::UserDefaults::removeObject;
using platform::UserDefaults::setBool;
using Fault = std::function<void(TestSite::Route &)>;

Q_DECLARE_METATYPE(Fault)

namespace {

const QString matrixPage = u"title-2010s/matrix-tt0133093-2014-06.html"_qs;
const QString matrixCredits = u"fullcredits/matrix-tt0133093-2014-06.html"_qs;
const QString antManKeywords = u"keywords/ant-man-tt0478970-2017.html"_qs;
const QString dieHardLegacyPage = u"title-old/die-hard-tt0095016-2009-06-combined.html"_qs;

// A body the site might send: the saved page after bytes that no UTF-8 text holds.
QByteArray notUtf8(const QString &file)
{
    return "\xFF\xFE caf\xE9 " + readTestData(file);
}

Fault noBody()
{
    return [](TestSite::Route &r) {
        r.status = 204;
        r.file.clear();
    };
}

} // namespace

class FaultLookupsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void titlePageFaults_data();
    void titlePageFaults();
    void titlePageThatNeverComesTimesOut();
    void creditsAndKeywordsFaults_data();
    void creditsAndKeywordsFaults();
    void creditsAndKeywordsThatNeverComeTimeOut();
    void plotSummaryFaults_data();
    void plotSummaryFaults();

private:
    std::optional<QVariantMap> lookUp(const QString &number);
    void setCreditsAndKeywordsOptions();

    TestHost m_host;
    TestSite m_site{testData(u""_qs)};
    IMDB m_plugin;
};

void FaultLookupsTest::initTestCase()
{
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void FaultLookupsTest::init()
{
    for (const QString &key : prefs::allKeys())
        removeObject(key);
    m_site.clearRequests();
}

std::optional<QVariantMap> FaultLookupsTest::lookUp(const QString &number)
{
    m_plugin.searchFor({{u"imdb"_qs, number}}, &m_host);
    return m_plugin.resultNumber(0);
}

void FaultLookupsTest::setCreditsAndKeywordsOptions()
{
    setBool(prefs::credits, true);
    setBool(prefs::creditsActors, true);
    setBool(prefs::creditsMusic, true);
    setBool(prefs::additionalPlotKeywords, true);
}

void FaultLookupsTest::titlePageFaults_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("record");
    QTest::addColumn<QString>("title");
    // Whatever breaks the transfer gives no page, and no page gives no record. A reset leaves
    // a body shorter than its announced length, which is no page either, even when Qt ends
    // the reply without an error.
    QTest::newRow("reset in the middle of the body")
        << Fault([](TestSite::Route &r) { r.reset = true; }) << false << QString();
    QTest::newRow("redirect loop")
        << Fault([](TestSite::Route &r) { r.redirectTo = r.target; }) << false << QString();
    QTest::newRow("50 MB body") << Fault([](TestSite::Route &r) { r.hugeBytes = 50'000'000; })
                                << false << QString();
    QTest::newRow("gzip body that expands enormously")
        << Fault([](TestSite::Route &r) { r.gzipBomb = true; }) << false << QString();
    // An answer that came whole is read whatever its status.
    QTest::newRow("500 with the page")
        << Fault([](TestSite::Route &r) { r.status = 500; }) << true << u"The Matrix"_qs;
    QTest::newRow("404 with a short text") << Fault([](TestSite::Route &r) {
        r.status = 404;
        r.file.clear();
        r.body = "not here";
    }) << true << QString();
    // Not UTF-8: read as Latin-1, so the page still gives its title.
    QTest::newRow("invalid UTF-8") << Fault([](TestSite::Route &r) {
        r.file.clear();
        r.body = notUtf8(matrixPage);
    }) << true << u"The Matrix"_qs;
}

void FaultLookupsTest::titlePageFaults()
{
    QFETCH(Fault, fault);
    QFETCH(bool, record);
    QFETCH(QString, title);
    static int number = 8100000;
    const QString titleNumber = QString::number(++number);
    m_site.addRoute(faultRoute(u"/title/tt"_qs + titleNumber, matrixPage, fault));
    QElapsedTimer timer;
    timer.start();
    const std::optional<QVariantMap> found = lookUp(titleNumber);
    reportFault(QTest::currentDataTag(),
                found ? u"record titled \"%1\""_qs.arg(found->value(u"title"_qs).toString())
                      : u"no record"_qs,
                timer);
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(found.has_value(), record);
    if (found) {
        QCOMPARE(found->value(u"imdb"_qs).toString(), titleNumber);
        QCOMPARE(found->value(u"title"_qs).toString(), title);
    }
}

void FaultLookupsTest::titlePageThatNeverComesTimesOut()
{
    m_site.addRoute(faultRoute(u"/title/tt8000030"_qs, matrixPage,
                               [](TestSite::Route &r) { r.neverAnswer = true; }));
    QElapsedTimer timer;
    timer.start();
    const std::optional<QVariantMap> found = lookUp(u"8000030"_qs);
    reportFault("title page never answers", found ? u"a record"_qs : u"no record"_qs, timer);
    QVERIFY(!found);
    QVERIFY2(endedAtTimeLimit(timer.elapsed(), 30000),
             qPrintable(QString::number(timer.elapsed())));
}

void FaultLookupsTest::creditsAndKeywordsFaults_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("reset in the middle of the body")
        << Fault([](TestSite::Route &r) { r.reset = true; });
    QTest::newRow("redirect loop") << Fault([](TestSite::Route &r) { r.redirectTo = r.target; });
    QTest::newRow("50 MB body") << Fault([](TestSite::Route &r) { r.hugeBytes = 50'000'000; });
    QTest::newRow("gzip body that expands enormously")
        << Fault([](TestSite::Route &r) { r.gzipBomb = true; });
    QTest::newRow("500 with a short text") << Fault([](TestSite::Route &r) {
        r.status = 500;
        r.file.clear();
        r.body = "<html>Internal Server Error</html>";
    });
    QTest::newRow("404") << Fault([](TestSite::Route &r) {
        r.status = 404;
        r.file.clear();
        r.body = "not here";
    });
    // These two pages are read as UTF-8 only: anything else is no page.
    QTest::newRow("invalid UTF-8") << Fault([](TestSite::Route &r) {
        r.body = notUtf8(r.file);
        r.file.clear();
    });
}

// The full-credits and keywords pages broken the same way give the record the title page
// alone gives, as when neither page has a body.
void FaultLookupsTest::creditsAndKeywordsFaults()
{
    QFETCH(Fault, fault);
    setCreditsAndKeywordsOptions();
    const QString titleNumber = u"8000040"_qs;
    const QString base = u"/title/tt"_qs + titleNumber;
    m_site.addRoute(faultRoute(base, matrixPage));
    m_site.addRoute(faultRoute(base + u"/fullcredits"_qs, matrixCredits, noBody()));
    m_site.addRoute(faultRoute(base + u"/keywords"_qs, antManKeywords, noBody()));
    const std::optional<QVariantMap> titlePageAlone = lookUp(titleNumber);
    QVERIFY(titlePageAlone);
    QCOMPARE(titlePageAlone->value(u"title"_qs).toString(), u"The Matrix"_qs);

    // Whole pages do add to it, so the record below would show them.
    m_site.addRoute(faultRoute(base + u"/fullcredits"_qs, matrixCredits));
    m_site.addRoute(faultRoute(base + u"/keywords"_qs, antManKeywords));
    const std::optional<QVariantMap> withPages = lookUp(titleNumber);
    QVERIFY(withPages);
    QVERIFY(withPages->value(u"tags"_qs).toString().contains(u"heist"_qs));
    QVERIFY(*withPages != *titlePageAlone);

    m_site.addRoute(faultRoute(base + u"/fullcredits"_qs, matrixCredits, fault));
    m_site.addRoute(faultRoute(base + u"/keywords"_qs, antManKeywords, fault));
    m_site.clearRequests();
    QElapsedTimer timer;
    timer.start();
    const std::optional<QVariantMap> found = lookUp(titleNumber);
    reportFault(QTest::currentDataTag(),
                found && *found == *titlePageAlone ? u"the title page's record"_qs
                                                   : u"another record"_qs,
                timer);
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(found);
    QCOMPARE(*found, *titlePageAlone);
    QVERIFY(m_site.requestCount(base.toUtf8() + "/fullcredits") >= 1);
    QVERIFY(m_site.requestCount(base.toUtf8() + "/keywords") >= 1);
}

void FaultLookupsTest::creditsAndKeywordsThatNeverComeTimeOut()
{
    setCreditsAndKeywordsOptions();
    const QString base = u"/title/tt8000050"_qs;
    m_site.addRoute(faultRoute(base, matrixPage));
    m_site.addRoute(faultRoute(base + u"/fullcredits"_qs, matrixCredits, noBody()));
    m_site.addRoute(faultRoute(base + u"/keywords"_qs, antManKeywords, noBody()));
    const std::optional<QVariantMap> titlePageAlone = lookUp(u"8000050"_qs);
    QVERIFY(titlePageAlone);

    const Fault never = [](TestSite::Route &r) { r.neverAnswer = true; };
    m_site.addRoute(faultRoute(base + u"/fullcredits"_qs, matrixCredits, never));
    m_site.addRoute(faultRoute(base + u"/keywords"_qs, antManKeywords, never));
    QElapsedTimer timer;
    timer.start();
    const std::optional<QVariantMap> found = lookUp(u"8000050"_qs);
    reportFault("full-credits and keywords pages never answer",
                found && *found == *titlePageAlone ? u"the title page's record"_qs
                                                   : u"another record"_qs,
                timer);
    QVERIFY(found);
    QCOMPARE(*found, *titlePageAlone);
    // Each request waits its 15 s; the two may wait side by side or one after the other.
    QVERIFY2(endedAtTimeLimit(timer.elapsed(), 15000) || endedAtTimeLimit(timer.elapsed(), 30000),
             qPrintable(QString::number(timer.elapsed())));
}

void FaultLookupsTest::plotSummaryFaults_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<qint64>("limitMs");
    QTest::newRow("never answers")
        << Fault([](TestSite::Route &r) { r.neverAnswer = true; }) << qint64(10000);
    QTest::newRow("endless slow body")
        << Fault([](TestSite::Route &r) { r.slow = true; }) << qint64(10000);
    // Without a time-out the lookup ends at once (a limit of 0 leaves only the slack).
    QTest::newRow("reset in the middle of the body")
        << Fault([](TestSite::Route &r) { r.reset = true; }) << qint64(0);
    QTest::newRow("gzip body that expands enormously")
        << Fault([](TestSite::Route &r) { r.gzipBomb = true; }) << qint64(0);
}

// The legacy parser's plot-summary page broken: the record is the one a summary page without
// a body gives.
void FaultLookupsTest::plotSummaryFaults()
{
    QFETCH(Fault, fault);
    QFETCH(qint64, limitMs);
    static int number = 8100100;
    const QString titleNumber = QString::number(++number);
    const QString base = u"/title/tt"_qs + titleNumber;
    const QString summaryPage = u"plotsummary/die-hard-tt0095016-2014-01.html"_qs;
    m_site.addRoute(faultRoute(base, dieHardLegacyPage));
    m_site.addRoute(faultRoute(base + u"/plotsummary"_qs, summaryPage, noBody()));
    const std::optional<QVariantMap> withoutSummaryPage = lookUp(titleNumber);
    QVERIFY(withoutSummaryPage);
    QCOMPARE(withoutSummaryPage->value(u"title"_qs).toString(), u"Die Hard"_qs);

    m_site.addRoute(faultRoute(base + u"/plotsummary"_qs, summaryPage, fault));
    m_site.clearRequests();
    QElapsedTimer timer;
    timer.start();
    const std::optional<QVariantMap> found = lookUp(titleNumber);
    reportFault(QTest::currentDataTag(),
                found && *found == *withoutSummaryPage ? u"the record without the summary page"_qs
                                                       : u"another record"_qs,
                timer);
    QCOMPARE(m_site.requestCount(base.toUtf8() + "/plotsummary"), 1);
    QVERIFY(found);
    QCOMPARE(*found, *withoutSummaryPage);
    QVERIFY2(endedAtTimeLimit(timer.elapsed(), limitMs),
             qPrintable(QString::number(timer.elapsed())));
}

IMDB_TEST_MAIN(FaultLookupsTest)
#include "tst_fault_lookups.moc"
