// The awards window over saved and hand-made awards pages served by the test site.

#include "platform/SystemLog.h"
#include "platform/ValueTransformers.h"
#include "tests/support/TestMain.h"
#include "tests/windows/SitePages.h"
#include "windows/BusyIndicator.h"
#include "windows/MyAwards.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QTableView>
#include <QTimer>
#include <QWindow>

Q_DECLARE_METATYPE(TestSite::Route)

namespace {

// A row as the table holds it; an empty text stands for a value the row lacks.
QVariantMap row(const QString &year, const QString &award, const QString &result,
                const QString &category = {}, const QString &persons = {})
{
    QVariantMap map;
    const std::pair<const char16_t *, const QString &> values[] = {{u"year", year},
                                                                   {u"award", award},
                                                                   {u"result", result},
                                                                   {u"category", category},
                                                                   {u"persons", persons}};
    for (const auto &[key, value] : values) {
        if (!value.isEmpty())
            map.insert(QString::fromUtf16(key), value);
    }
    return map;
}

QVariantMap messageRow(const QString &message)
{
    return {{u"award"_qs, message}};
}

} // namespace

class AwardsWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void dieHardPageGivesARowPerCategory();
    void antManPageKeepsEveryOutcome();
    void handMadePages_data();
    void handMadePages();
    void numberIsUsedAsStoredOrFound();
    void messageRows_data();
    void messageRows();
    void showingAgainReplacesTheRowsAfterABusyFetch();
    void windowLooksLikeATable();
    void titleIsNeverMarkup();
    void rowHeightTransformer_data();
    void rowHeightTransformer();

private:
    QVariantList show(const QVariantMap &entryValues);
    TestHost m_host;
    TestSite m_site{testData(u""_qs)};
    MyAwards m_awards;
};

void AwardsWindowTest::initTestCase()
{
    m_site.addRoute(
        pageRoute(u"/title/tt0095016/awards"_qs, u"awards/die-hard-tt0095016-2014-11.html"_qs));
    m_site.addRoute(
        pageRoute(u"/title/tt0478970/awards"_qs, u"awards/ant-man-tt0478970-2017.html"_qs));
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void AwardsWindowTest::init()
{
    m_host.select(nullptr);
}

QVariantList AwardsWindowTest::show(const QVariantMap &entryValues)
{
    TestEntry entry(entryValues);
    m_host.select(&entry);
    m_awards.showAwardsForSelection();
    m_host.select(nullptr);
    return m_awards.rows();
}

void AwardsWindowTest::dieHardPageGivesARowPerCategory()
{
    const QVariantList rows = show({{u"title"_qs, u"Die Hard"_qs}, {u"imdb"_qs, u"0095016"_qs}});
    // "Showing all 6 wins and 6 nominations", in page order.
    const QList<QVariantMap> expected = {
        row(u"1989"_qs, u"Academy Awards, USA"_qs, u"Nominated"_qs, u"Best Sound"_qs,
            u"Don J. Bassman, Kevin F. Cleary, Richard Overton, Al Overton Jr."_qs),
        row(u"1989"_qs, u"Academy Awards, USA"_qs, u"Nominated"_qs, u"Best Film Editing"_qs,
            u"Frank J. Urioste, John F. Link"_qs),
        row(u"1989"_qs, u"Academy Awards, USA"_qs, u"Nominated"_qs,
            u"Best Effects, Sound Effects Editing"_qs, u"Stephen Hunter Flick, Richard Shorr"_qs),
        row(u"1989"_qs, u"Academy Awards, USA"_qs, u"Nominated"_qs,
            u"Best Effects, Visual Effects"_qs,
            u"Richard Edlund, Al Di Sarro, Brent Boates, Thaine Morris"_qs),
        row(u"1990"_qs, u"Awards of the Japanese Academy"_qs, u"Won"_qs,
            u"Best Foreign Language Film"_qs),
        // No category text before the name: the outcome's own category stands in.
        row(u"1989"_qs, u"BMI Film & TV Awards"_qs, u"Won"_qs, u"BMI Film Music Award"_qs,
            u"Michael Kamen"_qs),
        row(u"1990"_qs, u"Blue Ribbon Awards"_qs, u"Won"_qs, u"Best Foreign Language Film"_qs,
            u"John McTiernan"_qs),
        row(u"2001"_qs, u"DVD Exclusive Awards"_qs, u"Nominated"_qs,
            u"Best Overall New Extra Features, Library Title"_qs, u"David Prior"_qs),
        row(u"1989"_qs, u"Edgar Allan Poe Awards"_qs, u"Nominated"_qs, u"Best Motion Picture"_qs,
            u"Jeb Stuart, Steven E. de Souza"_qs),
        row(u"1989"_qs, u"Hochi Film Awards"_qs, u"Won"_qs, u"Best Foreign Language Film"_qs,
            u"John McTiernan"_qs),
        row(u"1990"_qs, u"Kinema Junpo Awards"_qs, u"Won"_qs, u"Best Foreign Language Film"_qs,
            u"John McTiernan"_qs),
        row(u"1989"_qs, u"Motion Picture Sound Editors, USA"_qs, u"Won"_qs,
            u"Best Sound Editing - Sound Effects"_qs, u"Richard Shorr"_qs),
    };
    QCOMPARE(rows.size(), expected.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        QCOMPARE(rows.at(i).toMap(), expected.at(i));
    QCOMPARE(m_awards.windowTitle(), u"Movie awards for: Die Hard"_qs);
}

void AwardsWindowTest::antManPageKeepsEveryOutcome()
{
    const QVariantList rows = show({{u"title"_qs, u"Ant-Man"_qs}, {u"imdb"_qs, u"0478970"_qs}});
    // "Showing all 3 wins and 30 nominations".
    QCOMPARE(rows.size(), 33);
    QCOMPARE(rows.first().toMap(),
             row(u"2016"_qs, u"BAFTA Awards"_qs, u"Nominated"_qs,
                 u"Best Achievement in Special Visual Effects"_qs,
                 u"Jake Morrison, Greg Steele, Daniel Sudick, Alex Wuttke"_qs));
    // One event, two outcomes: a win, then five nominated categories.
    const QString saturn = u"Academy of Science Fiction, Fantasy & Horror Films, USA"_qs;
    QCOMPARE(rows.at(1).toMap(),
             row(u"2016"_qs, saturn, u"Won"_qs, u"Best Comic-to-Film Motion Picture"_qs));
    QCOMPARE(rows.at(2).toMap(),
             row(u"2016"_qs, saturn, u"Nominated"_qs, u"Best Director"_qs, u"Peyton Reed"_qs));
    QCOMPARE(rows.at(6).toMap(), row(u"2016"_qs, saturn, u"Nominated"_qs, u"Best Editing"_qs,
                                     u"Dan Lebental, Colby Parker Jr."_qs));
    QCOMPARE(rows.at(9).toMap(), row(u"2016"_qs, u"Edda Awards, Iceland"_qs, u"Nominated"_qs,
                                     u"Best Make Up (Gerfi ársins)"_qs, u"Heba Thorisdottir"_qs));
    QCOMPARE(rows.at(12).toMap(),
             row(u"2016"_qs, u"Georgia Film Critics Association (GFCA)"_qs, u"Won"_qs,
                 u"Oglethorpe Award for Excellence in Georgia Cinema"_qs,
                 u"Peyton Reed, Edgar Wright, Joe Cornish, Adam McKay, Paul Rudd"_qs));
    // The notes under a category are not part of it.
    QCOMPARE(rows.at(15).toMap(), row(u"2015"_qs, u"Golden Schmoes Awards"_qs, u"Nominated"_qs,
                                      u"Best Line of the Year"_qs));
    QCOMPARE(rows.at(23).toMap(), row(u"2016"_qs, u"North Carolina Film Critics Association"_qs,
                                      u"Nominated"_qs, u"Tar Heel Award"_qs, u"Peyton Reed"_qs));
    QCOMPARE(rows.at(24).toMap(), row(u"2016"_qs, u"Online Film & Television Association"_qs,
                                      u"2nd place"_qs, u"Best Titles Sequence"_qs));
    // Two outcomes of one event, each with its own category.
    QCOMPARE(rows.at(30).toMap(), row(u"2016"_qs, u"World Stunt Awards"_qs, u"Nominated"_qs,
                                      u"Best Stunt Rigging"_qs, u"Richard Epper"_qs));
    QCOMPARE(rows.at(31).toMap(), row(u"2016"_qs, u"World Stunt Awards"_qs, u"Nominated"_qs,
                                      u"Best Stunt Rigging"_qs, u"James M. Churchman"_qs));
    QCOMPARE(rows.last().toMap(),
             row(u"2016"_qs, u"Young Entertainer Awards"_qs, u"Nominated"_qs,
                 u"Best Supporting Young Actress- Feature Film"_qs, u"Abby Ryder Fortson"_qs));
}

void AwardsWindowTest::handMadePages_data()
{
    QTest::addColumn<TestSite::Route>("route");
    QTest::addColumn<int>("count");
    QTest::addColumn<QVariantMap>("last");
    const QByteArray page = "<h1>Awards</h1><h3>Festival <a class=\"event_year\">2001</a></h3>"
                            "<table><td class=\"title_award_outcome\"><b>Won</b>"
                            "<td class=\"award_description\">Best Actress<br/>"
                            "<a href=\"/name/nm1\">%1</a></table>";
    const QVariantMap amelie = row(u"2001"_qs, u"Festival"_qs, u"Won"_qs, u"Best Actress"_qs,
                                   u"Audrey Tautou in Amélie"_qs);
    QTest::newRow("UTF-8") << bodyRoute({}, QByteArray(page).replace(
                                                "%1", "Audrey Tautou in Am\xc3\xa9lie"))
                           << 1 << amelie;
    // Not valid UTF-8: an older page in Latin-1.
    QTest::newRow("Latin-1") << bodyRoute({}, QByteArray(page).replace(
                                                  "%1", "Audrey Tautou in Am\xe9lie"))
                             << 1 << amelie;
    QTest::newRow("no events") << bodyRoute({}, "<h1>Awards</h1> nothing yet") << 0
                               << QVariantMap();
    // Cut off inside the third event: the two events before it.
    const QByteArray dieHard = readTestData(u"awards/die-hard-tt0095016-2014-11.html"_qs);
    QTest::newRow("page cut off") << bodyRoute({}, dieHard.left(dieHard.indexOf("BMI Film"))) << 5
                                  << row(u"1990"_qs, u"Awards of the Japanese Academy"_qs,
                                         u"Won"_qs, u"Best Foreign Language Film"_qs);
    // A transfer that breaks off gives no page at all.
    TestSite::Route broken = pageRoute({}, u"awards/die-hard-tt0095016-2014-11.html"_qs);
    broken.truncateAt = 20000;
    QTest::newRow("transfer broken off") << broken << 1 << messageRow(u"No Awards"_qs);
    // A large page of many events is read in one pass.
    QByteArray many = "<h1>Awards</h1>";
    for (int i = 0; i < 4000; ++i) {
        many += "<h3>Gala <a class=\"event_year\">" + QByteArray::number(1900 + i % 100) +
                "</a></h3><table><td class=\"title_award_outcome\"><b>Won</b>"
                "<td class=\"award_description\">Best<br/><a>One</a><a>Two</a></table>";
    }
    QTest::newRow("4000 events") << bodyRoute({}, many) << 4000
                                 << row(u"1999"_qs, u"Gala"_qs, u"Won"_qs, u"Best"_qs,
                                        u"One, Two"_qs);
}

void AwardsWindowTest::handMadePages()
{
    QFETCH(TestSite::Route, route);
    QFETCH(int, count);
    QFETCH(QVariantMap, last);
    static int number = 9000000;
    const QString titleNumber = QString::number(++number);
    route.target = u"/title/tt"_qs + titleNumber + u"/awards"_qs;
    m_site.addRoute(route);
    QElapsedTimer timer;
    timer.start();
    const QVariantList rows = show({{u"imdb"_qs, titleNumber}});
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(rows.size(), count);
    QCOMPARE(m_awards.table()->model()->rowCount(), count);
    if (count)
        QCOMPARE(rows.last().toMap(), last);
}

void AwardsWindowTest::numberIsUsedAsStoredOrFound()
{
    // A stored number goes into the address as it is, without padding.
    m_site.clearRequests();
    show({{u"imdb"_qs, u"95016"_qs}});
    QCOMPARE(m_site.requestCount("/title/tt95016/awards"), 1);
    const TestSite::Request request = m_site.requests().last();
    QVERIFY(!request.secure);
    QCOMPARE(request.headers.value("host"), "127.0.0.1:" + QByteArray::number(m_site.httpPort()));

    // Without one, the title is searched for and the number found is used and stored.
    m_site.addRoute(bodyRoute(u"/find?tt=on&nm=on&mx=20&q=Die%20Hard"_qs,
                              "<a href=\"/title/tt0095016/\">Die Hard</a> (1988)"));
    TestEntry entry({{u"title"_qs, u"Die Hard"_qs}, {u"imdb"_qs, u""_qs}});
    m_host.select(&entry);
    m_awards.showAwardsForSelection();
    m_host.select(nullptr);
    QCOMPARE(m_awards.rows().size(), 12);
    QCOMPARE(entry.valueForKey(u"imdb"_qs).toString(), u"0095016"_qs);
}

void AwardsWindowTest::messageRows_data()
{
    QTest::addColumn<QVariantMap>("entry");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::newRow("no selection") << QVariantMap() << u"Please Select a Movie"_qs
                                  << u"Movie awards for: "_qs;
    QTest::newRow("no number found") << QVariantMap{{u"title"_qs, u"Nothing Like It"_qs}}
                                     << u"No Awards"_qs << u"Movie awards for: Nothing Like It"_qs;
    QTest::newRow("no page") << QVariantMap{{u"title"_qs, u"Gone"_qs}, {u"imdb"_qs, u"404"_qs}}
                             << u"No Awards"_qs << u"Movie awards for: Gone"_qs;
    QTest::newRow("another page") << QVariantMap{{u"imdb"_qs, u"9000010"_qs}} << u"No Awards"_qs
                                  << u"Movie awards for: "_qs;
}

void AwardsWindowTest::messageRows()
{
    QFETCH(QVariantMap, entry);
    QFETCH(QString, message);
    QFETCH(QString, title);
    m_site.addRoute(bodyRoute(u"/title/tt9000010/awards"_qs, "<h1>Trivia</h1><table></table>"));
    if (entry.isEmpty())
        m_awards.showAwardsForSelection();
    else
        show(entry);
    QCOMPARE(m_awards.rows(), QVariantList{messageRow(message)});
    QCOMPARE(m_awards.windowTitle(), title);
    QVERIFY(!isAnimating(m_awards.busy()));
}

void AwardsWindowTest::showingAgainReplacesTheRowsAfterABusyFetch()
{
    QCOMPARE(show({{u"imdb"_qs, u"0478970"_qs}}).size(), 33);
    QWidget *window = m_awards.window();
    TestSite::Route slow =
        pageRoute(u"/title/tt9000030/awards"_qs, u"awards/die-hard-tt0095016-2014-11.html"_qs);
    slow.delayMs = 400;
    m_site.addRoute(slow);
    bool animatingDuringFetch = false;
    QString titleDuringFetch;
    QTimer::singleShot(150, this, [&] {
        animatingDuringFetch = isAnimating(m_awards.busy());
        titleDuringFetch = m_awards.windowTitle();
    });
    QCOMPARE(show({{u"title"_qs, u"Slow"_qs}, {u"imdb"_qs, u"9000030"_qs}}).size(), 12);
    QVERIFY(animatingDuringFetch);
    QCOMPARE(titleDuringFetch, u"Movie awards for: Slow"_qs);
    QVERIFY(!isAnimating(m_awards.busy()));
    QCOMPARE(m_awards.table()->model()->rowCount(), 12);
    m_awards.showAwardsForSelection();
    QCOMPARE(m_awards.rows(), QVariantList{messageRow(u"Please Select a Movie"_qs)});
    // One window for the controller's life.
    QCOMPARE(m_awards.window(), window);
}

void AwardsWindowTest::windowLooksLikeATable()
{
    show({{u"title"_qs, u"Die Hard"_qs}, {u"imdb"_qs, u"0095016"_qs}});
    QTableView *table = m_awards.table();
    QVERIFY(m_awards.window()->isVisible());
    QVERIFY(m_awards.window()->isActiveWindow());
    const QAbstractItemModel *model = table->model();
    QCOMPARE(model->headerData(4, Qt::Horizontal).toString(), u"Persons"_qs);
    QCOMPARE(model->index(5, 1).data().toString(), u"BMI Film & TV Awards"_qs);
    QCOMPARE(model->index(5, 4).data().toString(), u"Michael Kamen"_qs);
    // Rows are as high as the table's 11-point font plus six.
    QCOMPARE(table->font().pointSize(), 11);
    QCOMPARE(table->rowHeight(0), 17);
    QCOMPARE(table->rowHeight(11), 17);
}

void AwardsWindowTest::titleIsNeverMarkup()
{
    m_site.addRoute(bodyRoute(u"/title/tt9000040/awards"_qs,
                              "<h1>Awards</h1><h3>&lt;b&gt;Gala&lt;/b&gt; "
                              "<a class=\"event_year\">2001</a></h3><table>"
                              "<td class=\"title_award_outcome\"><b>Won</b>"
                              "<td class=\"award_description\">&lt;img src=x&gt;<br/></table>"));
    const QString title = u"<img src=x> [*] <b>Title</b>"_qs;
    show({{u"title"_qs, title}, {u"imdb"_qs, u"9000040"_qs}});
    // What the window system is given shows every character.
    QCOMPARE(m_awards.window()->windowHandle()->title(), u"Movie awards for: "_qs + title);
    const QAbstractItemModel *model = m_awards.table()->model();
    QCOMPARE(model->index(0, 1).data().toString(), u"<b>Gala</b>"_qs);
    QCOMPARE(model->index(0, 3).data().toString(), u"<img src=x>"_qs);
}

void AwardsWindowTest::rowHeightTransformer_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("height");
    QTest::newRow("font size") << QVariant(11) << QVariant(17.0);
    QTest::newRow("fraction cut off") << QVariant(12.75) << QVariant(18.0);
    QTest::newRow("text") << QVariant(u"  13pt"_qs) << QVariant(19.0);
    QTest::newRow("text without number") << QVariant(u"large"_qs) << QVariant(6.0);
    QTest::newRow("null") << QVariant() << QVariant();
    QTest::newRow("list") << QVariant(QStringList{u"11"_qs}) << QVariant();
}

void AwardsWindowTest::rowHeightTransformer()
{
    QFETCH(QVariant, value);
    QFETCH(QVariant, height);
    // The window registers it under its name before it loads.
    m_awards.showAwardsForSelection();
    const auto transformer = platform::valueTransformerForName(u"fontToRowHeight"_qs);
    QVERIFY(transformer);
    const QVariant transformed = transformer->transformedValue(value);
    QCOMPARE(transformed.isNull(), height.isNull());
    if (!height.isNull()) {
        QCOMPARE(transformed.typeId(), QMetaType::Double);
        QCOMPARE(transformed.toDouble(), height.toDouble());
    }
}

IMDB_TEST_MAIN(AwardsWindowTest)
#include "tst_awards_window.moc"
