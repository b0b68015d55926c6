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

// Transfers that never give a whole page, whatever the page.
QList<std::pair<const char *, Fault>> brokenTransfers()
{
    return {{"reset in the middle of the body", [](TestSite::Route &r) { r.reset = true; }},
            {"redirect loop", [](TestSite::Route &r) { r.redirectTo = r.target; }},
            {"50 MB body", [](TestSite::Route &r) { r.hugeBytes = 50'000'000; }},
            {"gzip body that expands enormously", [](TestSite::Route &r) { r.gzipBomb = true; }}};
}

Fault notFound()
{
    return [](TestSite::Route &r) {
        r.status = 404;
        r.file.clear();
        r.body = "not here";
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
    void otherPageFaults_data();
    void otherPageFaults();

private:
    std::optional<QVariantMap> lookUp(const QString &number);

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

void FaultLookupsTest::titlePageFaults_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<qint64>("limitMs"); // 0: ends at once, within the slack
    QTest::addColumn<bool>("record");
    QTest::addColumn<QString>("title");
    QTest::newRow("title page never answers")
        << Fault([](TestSite::Route &r) { r.neverAnswer = true; }) << qint64(30000) << false
        << QString();
    // Whatever breaks the transfer gives no page, and no page gives no record. A reset leaves
    // a body shorter than its announced length, which is no page either, even when Qt ends
    // the reply without an error.
    for (const auto &[name, fault] : brokenTransfers())
        QTest::newRow(name) << fault << qint64(0) << false << QString();
    // An answer that came whole is read whatever its status.
    QTest::newRow("500 with the page") << Fault([](TestSite::Route &r) { r.status = 500; })
                                       << qint64(0) << true << u"The Matrix"_qs;
    QTest::newRow("404 with a short text") << notFound() << qint64(0) << true << QString();
    // Not UTF-8: read as Latin-1, so the page still gives its title.
    QTest::newRow("invalid UTF-8") << Fault([](TestSite::Route &r) {
        r.file.clear();
        r.body = notUtf8(matrixPage);
    }) << qint64(0) << true << u"The Matrix"_qs;
}

void FaultLookupsTest::titlePageFaults()
{
    QFETCH(Fault, fault);
    QFETCH(qint64, limitMs);
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
    QVERIFY2(endedAtTimeLimit(timer.elapsed(), limitMs),
             qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(found.has_value(), record);
    if (found) {
        QCOMPARE(found->value(u"imdb"_qs).toString(), titleNumber);
        QCOMPARE(found->value(u"title"_qs).toString(), title);
    }
}

void FaultLookupsTest::otherPageFaults_data()
{
    QTest::addColumn<bool>("legacy"); // the legacy parser's plot-summary page, else credits
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<qint64>("limitMs");
    QTest::newRow("full-credits and keywords pages never answer")
        << false << Fault([](TestSite::Route &r) { r.neverAnswer = true; }) << qint64(15000);
    for (const auto &[name, fault] : brokenTransfers())
        QTest::addRow("full-credits and keywords pages: %s", name) << false << fault << qint64(0);
    QTest::newRow("500 with a short text") << false << Fault([](TestSite::Route &r) {
        r.status = 500;
        r.file.clear();
        r.body = "<html>Internal Server Error</html>";
    }) << qint64(0);
    QTest::newRow("404") << false << notFound() << qint64(0);
    // These two pages are read as UTF-8 only: anything else is no page.
    QTest::newRow("invalid UTF-8") << false << Fault([](TestSite::Route &r) {
        r.body = notUtf8(r.file);
        r.file.clear();
    }) << qint64(0);
    // The deadline bounds the whole exchange, not only the wait for its first byte.
    QTest::newRow("endless slow body")
        << true << Fault([](TestSite::Route &r) { r.slow = true; }) << qint64(10000);
    // A redirect loop would ask for the page more than the once checked below.
    for (const auto &[name, fault] : brokenTransfers()) {
        if (qstrcmp(name, "redirect loop") != 0)
            QTest::addRow("plot-summary page: %s", name) << true << fault << qint64(0);
    }
}

// The full-credits and keywords pages, or the legacy parser's plot-summary page, broken: the
// record is the one those pages without a body give.
void FaultLookupsTest::otherPageFaults()
{
    QFETCH(bool, legacy);
    QFETCH(Fault, fault);
    QFETCH(qint64, limitMs);
    static int number = 8100100;
    const QString titleNumber = QString::number(++number);
    const QString base = u"/title/tt"_qs + titleNumber;
    QList<std::pair<QString, QString>> pages;
    if (legacy) {
        m_site.addRoute(faultRoute(base, u"title-old/die-hard-tt0095016-2009-06-combined.html"_qs));
        pages = {{u"/plotsummary"_qs, u"plotsummary/die-hard-tt0095016-2014-01.html"_qs}};
    } else {
        setBool(prefs::credits, true);
        setBool(prefs::creditsActors, true);
        setBool(prefs::creditsMusic, true);
        setBool(prefs::additionalPlotKeywords, true);
        m_site.addRoute(faultRoute(base, matrixPage));
        pages = {{u"/fullcredits"_qs, matrixCredits}, {u"/keywords"_qs, antManKeywords}};
        // Whole pages do add to the record, so a faulty page read as whole would show.
        for (const auto &[page, file] : pages)
            m_site.addRoute(faultRoute(base + page, file));
        const std::optional<QVariantMap> withPages = lookUp(titleNumber);
        QVERIFY(withPages);
        QVERIFY(withPages->value(u"tags"_qs).toString().contains(u"heist"_qs));
    }
    for (const auto &[page, file] : pages)
        m_site.addRoute(faultRoute(base + page, file, noBody()));
    const std::optional<QVariantMap> withoutBody = lookUp(titleNumber);
    QVERIFY(withoutBody);
    QCOMPARE(withoutBody->value(u"title"_qs).toString(),
             legacy ? u"Die Hard"_qs : u"The Matrix"_qs);
    QVERIFY(!withoutBody->value(u"tags"_qs).toString().contains(u"heist"_qs));

    for (const auto &[page, file] : pages)
        m_site.addRoute(faultRoute(base + page, file, fault));
    m_site.clearRequests();
    QElapsedTimer timer;
    timer.start();
    const std::optional<QVariantMap> found = lookUp(titleNumber);
    reportFault(QTest::currentDataTag(),
                found && *found == *withoutBody ? u"the record without those pages"_qs
                                                : u"another record"_qs,
                timer);
    QVERIFY(found);
    QCOMPARE(*found, *withoutBody);
    for (const auto &[page, file] : pages)
        QVERIFY(m_site.requestCount((base + page).toUtf8()) >= 1);
    if (legacy)
        QCOMPARE(m_site.requestCount((base + u"/plotsummary"_qs).toUtf8()), 1);
    // Pages fetched side by side may also wait one after the other.
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(endedAtTimeLimit(elapsed, limitMs) ||
                 (limitMs > 0 && endedAtTimeLimit(elapsed, limitMs * pages.size())),
             qPrintable(QString::number(elapsed)));
}

IMDB_TEST_MAIN(FaultLookupsTest)
#include "tst_fault_lookups.moc"
