// The keywords page: its switch, its HTTPS request, its table, saved and hostile pages.

#include "details/KeywordsPage.h"
#include "tests/details/CreditsTestSupport.h"
#include "tests/support/TestSite.h"

#include <QElapsedTimer>

class KeywordsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void keywordsTable_data();
    void keywordsTable();
    void keywordsPage_data();
    void keywordsPage();
    void savedPages_data();
    void savedPages();
    void requestOnlyWhenSwitchedOn();
    void unreadablePagesAreSkipped_data();
    void unreadablePagesAreSkipped();
    void tenThousandKeywordsInLinearTime();

private:
    TestHost m_host;
    TestSite m_site{testData(u""_qs)};
};

namespace {

QString keywordCell(const QString &keyword, const QString &text)
{
    return u"<td class=\"soda sodavote\" data-item-votes=\"0\" data-item-keyword=\""_qs + keyword +
           u"\">\n  <div class=\"sodatext\">\n   <a href=\"/keyword/x\"\n>"_qs + text +
           u"</a>\n  </div>\n  <div class=\"did-you-know-actions\">2 of 2 found this "
           u"relevant</div>\n</td>\n"_qs;
}

QString keywordCell(const QString &keyword)
{
    return keywordCell(keyword, keyword);
}

QString keywordsPageWith(const QString &cells)
{
    return u"<html><body><div class=\"header\"><table><tr><td "
           u"data-item-keyword=\"not-a-keyword\"><div>menu</div></td></tr></table></div>\n<div "
           u"id=\"keywords_content\" class=\"header\">\n<table class=\"dataTable\"><tbody><tr>"_qs +
           cells + u"</tr></tbody></table>\n</div></body></html>"_qs;
}

} // namespace

void KeywordsTest::initTestCase()
{
    TestSite::Route antMan;
    antMan.target = u"/title/tt0478970/keywords"_qs;
    antMan.file = u"keywords/ant-man-tt0478970-2017.html"_qs;
    m_site.addRoute(antMan);
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void KeywordsTest::init()
{
    switchOnOnly({});
}

void KeywordsTest::keywordsTable_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("tags");

    QTest::newRow("a keyword twice is kept once, at its first place")
        << keywordCell(u"ant"_qs) + keywordCell(u"heist"_qs) + keywordCell(u"ant"_qs)
        << u"ant, heist"_qs;
    QTest::newRow("the text is the keyword, not the attribute")
        << keywordCell(u"a-b"_qs, u"rock &amp; roll"_qs) << u"rock & roll"_qs;
    QTest::newRow("an item without text gives nothing")
        << keywordCell(u"x"_qs, QString()) + keywordCell(u"heist"_qs) << u"heist"_qs;
    QTest::newRow("no keyword items: tags left alone")
        << u"<table><tr><td>none</td></tr>"_qs << u"from the structured data"_qs;
    QTest::newRow("last item never closed")
        << keywordCell(u"ant"_qs) + u"<td data-item-keyword=\"year\">year 1989"_qs
        << u"ant, year 1989"_qs;
}

void KeywordsTest::keywordsTable()
{
    QFETCH(QString, section);
    QFETCH(QString, tags);
    TitleRecord record({{recordkey::tags, u"from the structured data"_qs}});
    details::addAdditionalPlotKeywordsFromSection(section, record);
    QCOMPARE(record.text(recordkey::tags).string(), tags);
}

void KeywordsTest::keywordsPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("tags");

    const QString earlier = u"from the structured data"_qs;
    QTest::newRow("the table after the block marker")
        << keywordsPageWith(keywordCell(u"ant"_qs) + keywordCell(u"heist"_qs)) << u"ant, heist"_qs;
    QTest::newRow("block marker in another letter case")
        << u"<DIV ID=\"KEYWORDS_CONTENT\"><TABLE>"_qs + keywordCell(u"ant"_qs) + u"</TABLE>"_qs
        << u"ant"_qs;
    QTest::newRow("keywords after the table are not read")
        << keywordsPageWith(keywordCell(u"ant"_qs)) + keywordCell(u"outside"_qs) << u"ant"_qs;
    QTest::newRow("no table after the block marker")
        << u"<div id=\"keywords_content\"><p>No keywords</p></div>"_qs + keywordCell(u"ant"_qs)
        << earlier;
    QTest::newRow("no block marker")
        << u"<table>"_qs + keywordCell(u"ant"_qs) + u"</table>"_qs << earlier;
    QTest::newRow("a table never closed runs to the end")
        << u"<div id=\"keywords_content\"><table>"_qs + keywordCell(u"ant"_qs) +
               keywordCell(u"heist"_qs)
        << u"ant, heist"_qs;
}

void KeywordsTest::keywordsPage()
{
    QFETCH(QString, page);
    QFETCH(QString, tags);
    switchOnOnly({prefs::additionalPlotKeywords});
    TitlePage titlePage = offlineTitlePage(u"<html></html>"_qs, {}, page);
    TitleRecord record({{recordkey::tags, u"from the structured data"_qs}});
    details::addKeywordsPage(titlePage, record);
    QCOMPARE(record.text(recordkey::tags).string(), tags);
}

void KeywordsTest::savedPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QString>("last");

    QTest::newRow("Ant-Man") << u"keywords/ant-man-tt0478970-2017.html"_qs << 253
                             << QStringList{u"sabotage"_qs,
                                            u"heist"_qs,
                                            u"vault"_qs,
                                            u"ant"_qs,
                                            u"chinatown san francisco"_qs,
                                            u"year 1989"_qs}
                             << u"boyfriend girlfriend relationship"_qs;
    QTest::newRow("The Last Jedi")
        << u"keywords/last-jedi-tt2527336-2022.html"_qs << 566
        << QStringList{u"wisecrack humor"_qs, u"one liner"_qs, u"sabotage"_qs,
                       u"deception"_qs,       u"betrayal"_qs,  u"hatred"_qs}
        << u"surprise ending"_qs;
}

void KeywordsTest::savedPages()
{
    QFETCH(QString, file);
    QFETCH(int, count);
    QFETCH(QStringList, first);
    QFETCH(QString, last);
    switchOnOnly({prefs::additionalPlotKeywords});
    TitlePage titlePage = offlineTitlePage(u"<html></html>"_qs, {}, savedPage(file));
    TitleRecord record;
    details::addKeywordsPage(titlePage, record);
    const QStringList tags = record.text(recordkey::tags).string().split(u", "_qs);
    QCOMPARE(tags.size(), count);
    QCOMPARE(tags.mid(0, first.size()), first);
    QCOMPARE(tags.last(), last);
}

void KeywordsTest::requestOnlyWhenSwitchedOn()
{
    m_site.clearRequests();
    TitlePage off(u"<html></html>"_qs, u"0478970"_qs);
    TitleRecord untouched({{recordkey::tags, u"heist"_qs}});
    details::addKeywordsPage(off, untouched);
    QCOMPARE(m_site.requestCount("/title/tt0478970/keywords"), 0);
    QCOMPARE(untouched.text(recordkey::tags).string(), u"heist"_qs);

    switchOnOnly({prefs::additionalPlotKeywords});
    TitlePage on(u"<html></html>"_qs, u"0478970"_qs);
    TitleRecord record({{recordkey::tags, u"heist"_qs}});
    details::addKeywordsPage(on, record);
    QCOMPARE(m_site.requestCount("/title/tt0478970/keywords"), 1);
    QVERIFY(m_site.requests().constLast().secure);
    QVERIFY(record.text(recordkey::tags).hasPrefix(u"sabotage, heist, vault, ant, "));
}

void KeywordsTest::unreadablePagesAreSkipped_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("reset");
    QTest::addColumn<QString>("tags");

    const QByteArray page = keywordsPageWith(keywordCell(u"ant"_qs)).toUtf8();
    QTest::newRow("a readable page (the control)") << page << false << u"ant"_qs;
    QTest::newRow("connection reset mid-body") << page << true << u"earlier"_qs;
    QTest::newRow("not UTF-8") << QByteArray(page + "<p>caf\xe9</p>") << false << u"earlier"_qs;
    QTest::newRow("no body") << QByteArray() << false << u"earlier"_qs;
}

void KeywordsTest::unreadablePagesAreSkipped()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, reset);
    QFETCH(QString, tags);
    static int titleNumber = 2000000;
    const QString number = QString::number(++titleNumber);
    TestSite::Route route;
    route.target = u"/title/tt"_qs + number + u"/keywords"_qs;
    route.body = body;
    route.reset = reset;
    m_site.addRoute(route);

    switchOnOnly({prefs::additionalPlotKeywords});
    m_site.clearRequests();
    TitlePage titlePage(u"<html></html>"_qs, number);
    TitleRecord record({{recordkey::tags, u"earlier"_qs}});
    details::addKeywordsPage(titlePage, record);
    QCOMPARE(m_site.requestCount(route.target.toUtf8()), 1);
    QCOMPARE(record.text(recordkey::tags).string(), tags);
}

void KeywordsTest::tenThousandKeywordsInLinearTime()
{
    QString cells;
    for (int i = 0; i < 10000; ++i)
        cells += keywordCell(u"k"_qs, u"keyword "_qs + QString::number(i % 9000));
    switchOnOnly({prefs::additionalPlotKeywords});

    QElapsedTimer timer;
    timer.start();
    TitlePage titlePage = offlineTitlePage(u"<html></html>"_qs, {}, keywordsPageWith(cells));
    TitleRecord record;
    details::addKeywordsPage(titlePage, record);
    const qint64 elapsed = timer.elapsed();

    const QStringList tags = record.text(recordkey::tags).string().split(u", "_qs);
    QCOMPARE(tags.size(), 9000);
    QCOMPARE(tags.first(), u"keyword 0"_qs);
    QCOMPARE(tags.last(), u"keyword 8999"_qs);
    QVERIFY2(elapsed < 10000, qPrintable(QString::number(elapsed) + u" ms"_qs));
}

IMDB_TEST_MAIN(KeywordsTest)
#include "tst_keywords.moc"
