// The legacy parser with a plot-summary page handed in: nothing goes to the network.

#include "details/LegacyPage.h"
#include "details/TitleRecord.h"
#include "tests/support/TestMain.h"
#include "tests/support/TestSite.h"

class LegacyPlotSummaryTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void suppliedPage_data();
    void suppliedPage();

private:
    TestHost m_host;
    TestSite m_site;
};

void LegacyPlotSummaryTest::initTestCase()
{
    // A site that answers nothing, to show that no request reaches it.
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void LegacyPlotSummaryTest::suppliedPage_data()
{
    QTest::addColumn<Text>("page");
    QTest::addColumn<QVariant>("summary");
    // The first summary of "Showing all 5 plot summaries".
    QTest::newRow("saved summary page")
        << Text(QString::fromUtf8(readTestData(u"plotsummary/die-hard-tt0095016-2014-01.html"_qs)))
        << QVariant(u"New York City Detective John McClane has just arrived in Los Angeles to "
                    u"spend Christmas with his wife. Unfortunatly, it is not going to be a Merry "
                    u"Christmas for everyone. A group of terrorists, led by Hans Gruber is "
                    u"holding everyone in the Nakatomi Plaza building hostage. With no way of "
                    u"anyone getting in or out, it's up to McClane to stop them all. All 12!"_qs);
    QTest::newRow("no page") << Text() << QVariant(u"held before"_qs);
}

void LegacyPlotSummaryTest::suppliedPage()
{
    QFETCH(Text, page);
    QFETCH(QVariant, summary);
    TitleRecord record;
    record.set(recordkey::summary, u"held before"_qs);
    QStringList asked;
    details::oldIMDBParsingStyle(u"<p>x</p>"_qs, u"0095016"_qs, record, &m_host,
                                 [&](const QString &number) {
                                     asked.append(number);
                                     return page;
                                 });
    QCOMPARE(asked, QStringList{u"0095016"_qs});
    QCOMPARE(record.value(recordkey::summary), summary);
    QVERIFY(m_site.requests().isEmpty());
}

IMDB_TEST_MAIN(LegacyPlotSummaryTest)
#include "tst_legacy_plot_summary.moc"
