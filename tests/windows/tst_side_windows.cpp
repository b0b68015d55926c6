// The awards, locations and text windows over saved and hand-made pages served by the test
// site: the rows and text a reader sees, the messages, the busy indicator and hostile pages.

#include "platform/ValueTransformers.h"
#include "platform/WindowFrames.h"
#include "tests/support/TestMain.h"
#include "tests/windows/SitePages.h"
#include "windows/BusyIndicator.h"
#include "windows/Location.h"
#include "windows/MyAwards.h"
#include "windows/MyTextWindowController.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTableView>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

using Rows = QList<std::pair<QString, QString>>;
Q_DECLARE_METATYPE(Rows)
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

// What the menu item of each kind calls.
using Kind = void (MyTextWindowController::*)();
const Kind goofsKind = &MyTextWindowController::showMistakesForSelection;
const Kind quotesKind = &MyTextWindowController::showQuotesForSelection;
const Kind soundtrackKind = &MyTextWindowController::showSoundTrackForSelection;
const Kind triviaKind = &MyTextWindowController::showTriviaForSelection;

QList<StyledRun> runsOf(const StyledText &text, TextStyle style)
{
    QList<StyledRun> runs;
    for (const StyledRun &run : text.runs()) {
        if (run.style == style)
            runs.append(run);
    }
    return runs;
}

// The font of the character at `position` of the window's text, as "bold 11", "regular 14".
QString fontAt(const QTextEdit *view, qsizetype position)
{
    const QTextBlock block = view->document()->findBlock(int(position));
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.position() <= position && position < fragment.position() + fragment.length()) {
            const QFont font = fragment.charFormat().font();
            QString style = font.bold() ? u"bold "_qs : QString();
            style += font.italic() ? u"italic "_qs : QString();
            return (style.isEmpty() ? u"regular "_qs : style) + QString::number(font.pointSize());
        }
    }
    return {};
}

const QHash<QString, Kind> textKinds = {{u"goofs"_qs, goofsKind},
                                        {u"quotes"_qs, quotesKind},
                                        {u"soundtrack"_qs, soundtrackKind},
                                        {u"trivia"_qs, triviaKind}};

} // namespace

class SideWindowsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void dieHardPageGivesARowPerCategory();
    void antManPageKeepsEveryOutcome();
    void awardsHandMadePages_data();
    void awardsHandMadePages();
    void numberIsUsedAsStoredOrFound();
    void tablesShowTheRows();
    void rowHeightTransformer_data();
    void rowHeightTransformer();
    void locationsSavedPages_data();
    void locationsSavedPages();
    void locationsHandMadePages_data();
    void locationsHandMadePages();
    void goofsShowUnderTheirCategoryHeadings();
    void quotesKeepSpeakersBoldAndDirectionsItalic();
    void soundtrackPages_data();
    void soundtrackPages();
    void triviaPage();
    void eachKindKeepsItsOwnFrame();
    void textPageIsNeverMarkup();
    void textHostilePages();
    void messages_data();
    void messages();
    void busyWhileTheFetchHoldsTheThread_data();
    void busyWhileTheFetchHoldsTheThread();

private:
    QVariantList showAwards(const QVariantMap &entryValues);
    Rows showLocations(const QVariantMap &entryValues);
    StyledText showText(Kind kind, const QVariantMap &entryValues);
    Rows locationRows() const;
    // `action` on the controller of `window` ("awards", "locations" or a text kind).
    template<typename Action>
    auto on(const QString &window, Action &&action)
    {
        if (window == u"awards")
            return action(m_awards);
        if (window == u"locations")
            return action(m_locations);
        return action(m_window);
    }
    void showWindow(const QString &window);
    // The window's rows or paragraphs, and its one message when it shows nothing else.
    qsizetype shownCount(const QString &window);
    QString shownMessage(const QString &window);

    TestHost m_host;
    TestSite m_site{testData(u""_qs)};
    MyAwards m_awards;
    Location m_locations;
    MyTextWindowController m_window;
};

void SideWindowsTest::initTestCase()
{
    const std::pair<const char *, const char *> pages[] = {
        {"tt0095016/awards", "awards/die-hard-tt0095016-2014-11"},
        {"tt0478970/awards", "awards/ant-man-tt0478970-2017"},
        {"tt0095016/locations", "locations/die-hard-tt0095016-2014-01"},
        {"tt0095017/locations", "locations/die-hard-tt0095016-2018-08"},
        {"tt0478970/locations", "locations/ant-man-tt0478970-2018"},
        {"tt0478970/goofs", "goofs/ant-man-tt0478970-2017"},
        {"tt0478970/quotes", "quotes/ant-man-tt0478970-2017"},
        {"tt0478970/trivia", "trivia/ant-man-tt0478970-2017"},
        {"tt0133093/soundtrack", "soundtrack/matrix-tt0133093-2014-06"},
        {"tt0087544/soundtrack", "soundtrack/nausicaa-tt0087544-2014-06"},
        // Another window's page, which holds none of the markers.
        {"tt9000001/*", "awards/die-hard-tt0095016-2014-11"}};
    for (const auto &[target, file] : pages) {
        m_site.addRoute(pageRoute(u"/title/"_qs + QString::fromLatin1(target),
                                  QString::fromLatin1(file) + u".html"_qs));
    }
    m_site.addRoute(bodyRoute(u"/title/tt9000011/awards"_qs, "<h1>Trivia</h1><table></table>"));
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void SideWindowsTest::init()
{
    m_host.select(nullptr);
}

QVariantList SideWindowsTest::showAwards(const QVariantMap &entryValues)
{
    TestEntry entry(entryValues);
    m_host.select(&entry);
    m_awards.showAwardsForSelection();
    m_host.select(nullptr);
    return m_awards.rows();
}

Rows SideWindowsTest::showLocations(const QVariantMap &entryValues)
{
    TestEntry entry(entryValues);
    m_host.select(&entry);
    m_locations.showLocationForSelection();
    m_host.select(nullptr);
    return locationRows();
}

StyledText SideWindowsTest::showText(Kind kind, const QVariantMap &entryValues)
{
    TestEntry entry(entryValues);
    m_host.select(&entry);
    (m_window.*kind)();
    m_host.select(nullptr);
    return m_window.content();
}

Rows SideWindowsTest::locationRows() const
{
    const QStringList locations = m_locations.locationArray();
    const QStringList scenes = m_locations.sceneArray();
    Rows rows;
    for (qsizetype i = 0; i < std::min(locations.size(), scenes.size()); ++i)
        rows.append({locations.at(i), scenes.at(i)});
    return rows;
}

void SideWindowsTest::showWindow(const QString &window)
{
    if (window == u"awards")
        m_awards.showAwardsForSelection();
    else if (window == u"locations")
        m_locations.showLocationForSelection();
    else
        (m_window.*textKinds.value(window))();
}

qsizetype SideWindowsTest::shownCount(const QString &window)
{
    if (window == u"awards")
        return m_awards.rows().size();
    if (window == u"locations")
        return locationRows().size();
    return m_window.text().count(u"\n\n"_qs);
}

QString SideWindowsTest::shownMessage(const QString &window)
{
    if (window == u"awards") {
        const QVariantList rows = m_awards.rows();
        return rows.size() == 1 && rows.first().toMap().size() == 1
                   ? rows.first().toMap().value(u"award"_qs).toString()
                   : u"%1 rows"_qs.arg(rows.size());
    }
    if (window == u"locations") {
        const Rows rows = locationRows();
        return rows.size() == 1 && rows.first().second.isEmpty() ? rows.first().first
                                                                 : u"%1 rows"_qs.arg(rows.size());
    }
    const QString text = m_window.text();
    // A message is one regular run in the text's own font.
    if (m_window.content().runs() != QList<StyledRun>({{0, text.size(), TextStyle::Regular}}) ||
        fontAt(m_window.mainText(), 0) != u"regular 14")
        return u"styled text"_qs;
    return text;
}

void SideWindowsTest::dieHardPageGivesARowPerCategory()
{
    const QVariantList rows =
        showAwards({{u"title"_qs, u"Die Hard"_qs}, {u"imdb"_qs, u"0095016"_qs}});
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

void SideWindowsTest::antManPageKeepsEveryOutcome()
{
    const QVariantList rows =
        showAwards({{u"title"_qs, u"Ant-Man"_qs}, {u"imdb"_qs, u"0478970"_qs}});
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

void SideWindowsTest::awardsHandMadePages_data()
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
    // Markup characters show as text.
    QTest::newRow("markup") << bodyRoute({}, "<h1>Awards</h1><h3>&lt;b&gt;Gala&lt;/b&gt; "
                                             "<a class=\"event_year\">2001</a></h3><table>"
                                             "<td class=\"title_award_outcome\"><b>Won</b>"
                                             "<td class=\"award_description\">&lt;img src=x&gt;"
                                             "<br/></table>")
                            << 1
                            << row(u"2001"_qs, u"<b>Gala</b>"_qs, u"Won"_qs, u"<img src=x>"_qs);
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

void SideWindowsTest::awardsHandMadePages()
{
    QFETCH(TestSite::Route, route);
    QFETCH(int, count);
    QFETCH(QVariantMap, last);
    static int number = 9100000;
    const QString titleNumber = QString::number(++number);
    route.target = u"/title/tt"_qs + titleNumber + u"/awards"_qs;
    m_site.addRoute(route);
    QElapsedTimer timer;
    timer.start();
    const QString title = u"<img src=x> [*] <b>Title</b>"_qs;
    const QVariantList rows = showAwards({{u"imdb"_qs, titleNumber}, {u"title"_qs, title}});
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    // What the window system is given shows every character.
    QCOMPARE(m_awards.window()->windowHandle()->title(), u"Movie awards for: "_qs + title);
    QCOMPARE(rows.size(), count);
    QCOMPARE(m_awards.table()->model()->rowCount(), count);
    if (count)
        QCOMPARE(rows.last().toMap(), last);
}

void SideWindowsTest::numberIsUsedAsStoredOrFound()
{
    // A stored number goes into the address as it is, without padding.
    m_site.clearRequests();
    showAwards({{u"imdb"_qs, u"95016"_qs}});
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

void SideWindowsTest::tablesShowTheRows()
{
    showAwards({{u"title"_qs, u"Die Hard"_qs}, {u"imdb"_qs, u"0095016"_qs}});
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

    // A location's line break shows as a space.
    showLocations({{u"imdb"_qs, u"0478970"_qs}});
    QVERIFY(m_locations.window()->isVisible());
    model = m_locations.table()->model();
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), u"Scene"_qs);
    QCOMPARE(model->index(0, 0).data().toString(),
             u"Pinewood Atlanta Studios, 461 Sandy Creek Road, Fayetteville, Georgia, USA"_qs);
    QCOMPARE(model->index(0, 0).data(Qt::EditRole).toString(), m_locations.locationArray().at(0));
    QCOMPARE(model->index(4, 1).data().toString(), u"(Returning from San Quentin)"_qs);
    // Any identifier but "location" shows the scenes; a row past the end is empty.
    QCOMPARE(m_locations.objectValueForTableColumn(u"Location", 4),
             u"(Returning from San Quentin)"_qs);
    QCOMPARE(m_locations.objectValueForTableColumn(u"location", 7), QString());
}

void SideWindowsTest::rowHeightTransformer_data()
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

void SideWindowsTest::rowHeightTransformer()
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

void SideWindowsTest::locationsSavedPages_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<Rows>("expected");
    // The location runs to the end of its entry, so its scene's text comes with it on a
    // second line.
    const QString foxPlaza =
        u"Fox Plaza - 2121 Avenue of the Stars, Century City, Los Angeles, California, USA"_qs;
    const QString floors = u"29th-35th Floors, "_qs + foxPlaza;
    const QString stage = u"Stage 15, 20th Century Fox Studios - 10201 Pico Blvd., Century City, "
                          u"Los Angeles, California, USA"_qs;
    QTest::newRow("Die Hard, 2014")
        << u"0095016"_qs
        << Rows{{foxPlaza + u"\n(Nakatomi building)"_qs, u"(Nakatomi building)"_qs},
                {floors + u"\n(interiors)"_qs, u"(interiors)"_qs},
                {u"Alpena Airport, Alpena, Michigan, USA"_qs, {}},
                {stage + u"\n(studio)"_qs, u"(studio)"_qs}};
    QTest::newRow("Die Hard, 2018")
        << u"0095017"_qs
        << Rows{
               {foxPlaza + u"\n(Nakatomi building)"_qs, u"(Nakatomi building)"_qs},
               {floors + u"\n(interiors)"_qs, u"(interiors)"_qs},
               {stage + u"\n(studio)"_qs, u"(studio)"_qs},
               {u"Los Angeles International Airport - 1 World Way, Los Angeles, California, USA"_qs,
                {}}};
    QTest::newRow("Ant-Man, 2018")
        << u"0478970"_qs
        << Rows{
               {u"Pinewood Atlanta Studios, 461 Sandy Creek Road, Fayetteville,\nGeorgia, USA"_qs,
                {}},
               {u"Atlanta, Georgia, USA"_qs, {}},
               {u"San Francisco, California, USA"_qs, {}},
               {u"Peachtree City, Georgia, USA"_qs, {}},
               {u"Conzelman Road, Marin Headlands, California, USA\n(Returning from San Quentin)"_qs,
                u"(Returning from San Quentin)"_qs},
               {u"Tenderloin, San Francisco, California, USA"_qs, {}},
               {u"Buena Vista Park, San Francisco, California, USA"_qs, {}}};
}

void SideWindowsTest::locationsSavedPages()
{
    QFETCH(QString, number);
    QFETCH(Rows, expected);
    QCOMPARE(showLocations({{u"title"_qs, u"Die Hard"_qs}, {u"imdb"_qs, number}}), expected);
    QCOMPARE(m_locations.sceneArray().size(), m_locations.locationArray().size());
    QCOMPARE(m_locations.windowTitle(), u"Locations for: Die Hard"_qs);
    QCOMPARE(m_locations.table()->model()->rowCount(), expected.size());
}

void SideWindowsTest::locationsHandMadePages_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<Rows>("expected");
    // A location that cleans to nothing is left out; one without a scene gets an empty one;
    // each text is cleaned twice.
    QTest::newRow("empty and doubly escaped entries")
        << QByteArray("<dl><dt><a href=x> &nbsp; </a></dt></dd>"
                      "<dt><a href=y>Harbour &amp;amp; Pier</a></dt></dd>"
                      "<dt><a href=z>Hill</a></dt><dd>(night)</dd></dl>")
        << Rows({{u"Harbour & Pier"_qs, {}}, {u"Hill\n(night)"_qs, u"(night)"_qs}});
    QTest::newRow("entry without an end") << QByteArray("<dt> and nothing after it") << Rows();
    QTest::newRow("empty entries") << QByteArray("<dt></dd><dt></dd>") << Rows();
    // Markup characters show as text when escaped twice.
    QTest::newRow("markup")
        << QByteArray("<dt><a>&amp;lt;img src=x&amp;gt;</a></dt><dd>&amp;lt;b&amp;gt;</dd>")
        << Rows({{u"<img src=x>\n<b>"_qs, u"<b>"_qs}});
}

void SideWindowsTest::locationsHandMadePages()
{
    QFETCH(QByteArray, page);
    QFETCH(Rows, expected);
    static int number = 9200000;
    const QString titleNumber = QString::number(++number);
    m_site.addRoute(bodyRoute(u"/title/tt"_qs + titleNumber + u"/locations"_qs, page));
    const QString title = u"<b>[*]</b>"_qs;
    QCOMPARE(showLocations({{u"imdb"_qs, titleNumber}, {u"title"_qs, title}}), expected);
    QCOMPARE(m_locations.windowTitle(), u"Locations for: "_qs + title);
    if (!expected.isEmpty()) {
        QCOMPARE(m_locations.table()->model()->index(0, 0).data().toString(),
                 QString(expected.first().first).replace(u'\n', u' '));
    }
}

void SideWindowsTest::goofsShowUnderTheirCategoryHeadings()
{
    const StyledText goofs =
        showText(goofsKind, {{u"title"_qs, u"Ant-Man"_qs}, {u"imdb"_qs, u"0478970"_qs}});
    QCOMPARE(m_window.windowTitle(), u"Movie goofs for: Ant-Man"_qs);
    const QString &text = goofs.text();
    // Each goof: its category, a space, its text and the interest line under it, a blank line.
    QVERIFY2(text.startsWith(u"Continuity When everyone is at Dr. Pym's house discussing the "
                             u"plan, Luis' shirt is unbuttoned in one shot, but buttoned all the "
                             u"way up in all the other shots.\n16 of 22 found this interesting\n\n"
                             u"Continuity When Scott is tinkering with the regulator, Hank warns "
                             u"him \"Do not screw with the regulator!\""_qs),
             qPrintable(text.left(400)));
    QVERIFY(text.endsWith(
        u"\n\nPlot holes The \"toy\" tank that Pym carries on his key chain is "
        u"later revealed to be a shrunken real tank. However, according to the "
        u"logic of the movie the mass of a shrunken object remains the same, in "
        u"this case around 30 to 50 tons.\n118 of 121 found this interesting\n\n"_qs));
    QCOMPARE(text.count(u"\n\n"_qs), 28);

    // A category stays in force until the next: 9 continuity goofs, 1 of crew or equipment
    // visible, 13 factual errors, 4 plot holes and the spoiler's plot hole.
    QStringList headings;
    for (const StyledRun &run : runsOf(goofs, TextStyle::Heading))
        headings.append(text.mid(run.start, run.length));
    QStringList expected;
    for (const auto &[heading, count] :
         {std::pair(u"Continuity"_qs, 9), std::pair(u"Crew or equipment visible"_qs, 1),
          std::pair(u"Factual errors"_qs, 13), std::pair(u"Plot holes"_qs, 5)}) {
        for (int i = 0; i < count; ++i)
            expected.append(heading);
    }
    QCOMPARE(headings, expected);
    QVERIFY(runsOf(goofs, TextStyle::Bold).isEmpty());
    QVERIFY(runsOf(goofs, TextStyle::Italic).isEmpty());

    QCOMPARE(fontAt(m_window.mainText(), 0), u"bold 11"_qs);
    QCOMPARE(fontAt(m_window.mainText(), 12), u"regular 14"_qs);
}

void SideWindowsTest::quotesKeepSpeakersBoldAndDirectionsItalic()
{
    const StyledText quotes =
        showText(quotesKind, {{u"title"_qs, u"Ant-Man"_qs}, {u"imdb"_qs, u"0478970"_qs}});
    QCOMPARE(m_window.windowTitle(), u"Movie quotes for: Ant-Man"_qs);
    const QString &text = quotes.text();
    const QString separator = u"\n\n\t----------------------\n\n"_qs;
    // The speaker's name and the speech on one line, the separator after each quote.
    const QString first = u"Scott Lang: [Surrounded by police]\n"
                          u"Wait I didn't steal anything! I was returning something I stole!"_qs;
    QVERIFY2(text.startsWith(first + separator +
                             u"Scott Lang: [Demonstrating his Ant-Man suit to "
                             u"his crew for the first time]\nNow, look."_qs),
             qPrintable(text.left(300)));
    QVERIFY(text.endsWith(u"Kurt: The Ant-Man is in the building."_qs + separator));
    QCOMPARE(text.count(separator), 52);
    QVERIFY(!text.contains(u"[KAVOR"_qs));
    QVERIFY(!text.contains(u'<'));

    const QList<StyledRun> bold = runsOf(quotes, TextStyle::Bold);
    const QList<StyledRun> italic = runsOf(quotes, TextStyle::Italic);
    QCOMPARE(bold.first(), (StyledRun{0, 10, TextStyle::Bold}));
    QCOMPARE(italic.first(), (StyledRun{13, 20, TextStyle::Italic}));
    QCOMPARE(text.mid(italic.first().start, italic.first().length), u"Surrounded by police"_qs);
    // Every speaker's name and every stage direction of the page.
    QCOMPARE(bold.size(), 154);
    QCOMPARE(italic.size(), 45);
    QCOMPARE(text.mid(bold.last().start, bold.last().length), u"Kurt"_qs);

    QCOMPARE(fontAt(m_window.mainText(), 0), u"bold 13"_qs);
    QCOMPARE(fontAt(m_window.mainText(), 9), u"bold 13"_qs);
    QCOMPARE(fontAt(m_window.mainText(), 10), u"regular 14"_qs);
    QCOMPARE(fontAt(m_window.mainText(), 13), u"italic 13"_qs);
}

void SideWindowsTest::soundtrackPages_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("contains");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("paragraphs");
    // The list's own "Showing all" line is an entry like the songs.
    QTest::newRow("The Matrix")
        << u"0133093"_qs
        << u"Showing all 12 items\n\nDissolved Girl\nWritten by Robert del Naja, Grant Marshall "
           u"(as "
           u"Grantley Marshall), Mushroom Vowles (as Andrew Vowles),\nSara J., and Matt "
           u"Schwartz\nPerformed by Massive Attack\nCourtesy of Virgin Records LTD.\nBy "
           u"Arrangement with Virgin Records America, Inc.\n\nDragula (Hot Rod Herman Mix)\n"_qs
        << u"\n\nMinor Swing\nWritten by Django Reinhardt and Stéphane Grappelli (as Stephanie "
           u"Grappelli)\nPerformed by Django Reinhardt\n"_qs
        << u"\n\nRock is Dead\nWritten by Marilyn Manson, Jeordie White, and Madonna Wayne "
           u"Gacy\nPerformed by Marilyn Manson\nCourtesy of Nothing/Interscope Records\nUnder "
           u"License from Universal Music Special Markets\n\n"_qs
        << 13;
    // A title without songs: the page's own note is the one entry.
    const QString note = u"It looks like we don't have any Soundtracks for this title yet.\nBe the "
                         u"first to contribute! Just click the \"Edit page\" button at the bottom "
                         u"of the page\nor learn more in the\nSoundtracks submission guide.\n\n"_qs;
    QTest::newRow("Nausicaä") << u"0087544"_qs << note << note << note << 1;
}

void SideWindowsTest::soundtrackPages()
{
    QFETCH(QString, number);
    QFETCH(QString, start);
    QFETCH(QString, contains);
    QFETCH(QString, end);
    QFETCH(int, paragraphs);
    const StyledText soundtrack =
        showText(soundtrackKind, {{u"title"_qs, u"Film"_qs}, {u"imdb"_qs, number}});
    QCOMPARE(m_window.windowTitle(), u"Movie soundtrack for: Film"_qs);
    const QString &text = soundtrack.text();
    QVERIFY2(text.startsWith(start), qPrintable(text.left(400)));
    QVERIFY(text.contains(contains));
    QVERIFY(text.endsWith(end));
    QCOMPARE(text.count(u"\n\n"_qs), paragraphs);
    QCOMPARE(soundtrack.runs(), QList<StyledRun>({{0, text.size(), TextStyle::Regular}}));
}

void SideWindowsTest::triviaPage()
{
    const StyledText trivia =
        showText(triviaKind, {{u"title"_qs, u"Ant-Man"_qs}, {u"imdb"_qs, u"0478970"_qs}});
    const QString &text = trivia.text();
    QVERIFY2(text.startsWith(
                 u"Originally the film was meant to focus on the original Ant-Man, Hank Pym. "
                 u"However, the filmmakers deemed Pym as having a too family-unfriendly history "
                 u"(Pym developed several split personalities, one of whom abused his girlfriend "
                 u"Janet) and instead decided to focus on Pym's successor Scott Lang, with Pym "
                 u"becoming a mentor and supporting character.\n\nThe Falcon's role in the plot "
                 u"came about after Adam McKay and Paul Rudd went to see Captain America: Návrat "
                 u"prvního Avengera (2014) and fell in love with the character."_qs),
             qPrintable(text.left(600)));
    QVERIFY(text.endsWith(u"similar to the Paul Frees quote from the attraction, \"They will be "
                          u"our only source of contact once you have passed beyond the limits of "
                          u"normal Mag-ni-fi-ca-tion\"\n\n"_qs));
    QCOMPARE(text.count(u"\n\n"_qs), 133);
    QCOMPARE(trivia.runs().size(), 1);
    QCOMPARE(fontAt(m_window.mainText(), 0), u"regular 14"_qs);
}

void SideWindowsTest::eachKindKeepsItsOwnFrame()
{
    const QVariantMap antMan{{u"imdb"_qs, u"0478970"_qs}};
    showText(goofsKind, antMan);
    QWidget *window = m_window.window();
    const std::tuple<Kind, QString, QSize> frames[] = {{goofsKind, u"GoofsPanel"_qs, {520, 410}},
                                                       {triviaKind, u"TriviaPanel"_qs, {380, 300}},
                                                       {quotesKind, u"QuotesPanel"_qs, {450, 330}}};
    for (const auto &[kind, name, size] : frames) {
        showText(kind, antMan);
        QCOMPARE(platform::frameAutosaveName(window), name);
        // The window system's answer to a resize comes through the event loop.
        window->resize(size);
        QCoreApplication::processEvents();
    }
    // One window serves the kinds, each in its own frame kept in the host's settings.
    for (const auto &[kind, name, size] : frames) {
        showText(kind, antMan);
        QCOMPARE(m_window.window(), window);
        QCOMPARE(window->size(), size);
        QVERIFY(QSettings().contains(platform::frameDefaultsKey(name)));
    }
    QVERIFY(!QSettings().contains(platform::frameDefaultsKey(u"SoundTrackPanel"_qs)));
}

void SideWindowsTest::textPageIsNeverMarkup()
{
    m_site.addRoute(bodyRoute(u"/title/tt9000004/trivia"_qs,
                              "<div class=\"sodatext\">&lt;img src=x&gt; &lt;b&gt;[*]&lt;/b&gt; "
                              "<img src=\"y.png\"> end</div>"));
    const QString title = u"<img src=x> [*]"_qs;
    const StyledText trivia =
        showText(triviaKind, {{u"imdb"_qs, u"9000004"_qs}, {u"title"_qs, title}});
    QCOMPARE(trivia.text(), u"<img src=x> <b>[*]</b> end\n\n"_qs);
    QCOMPARE(m_window.windowTitle(), u"Movie trivia for: "_qs + title);
    // The document holds characters only: no image, no markup.
    const QTextDocument *document = m_window.mainText()->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            QVERIFY(!it.fragment().charFormat().isImageFormat());
    }
    QVERIFY(!m_window.mainText()->acceptRichText());
}

void SideWindowsTest::textHostilePages()
{
    // Cut off inside the second goof: the first, then the rest of the page as the second.
    const QByteArray goofs = readTestData(u"goofs/ant-man-tt0478970-2017.html"_qs);
    m_site.addRoute(bodyRoute(u"/title/tt9000005/goofs"_qs,
                              goofs.left(goofs.indexOf("When Scott is tinkering") + 11)));
    const QString cut = showText(goofsKind, {{u"imdb"_qs, u"9000005"_qs}}).text();
    QCOMPARE(cut.count(u"\n\n"_qs), 2);
    QVERIFY(cut.endsWith(u"Continuity When Scott\n\n"_qs));

    // Many quotes whose speakers lack an end, stray run markers of the page's own, and a
    // large trivia page: each read in one pass.
    QByteArray quotes = "quotes_content <div class=\"sodatext\">";
    for (int i = 0; i < 20000; ++i)
        quotes += "<span class=\"character\">Name";
    quotes += "</div> <div class=\"sodatext\">[KAVOR_BOLD] left as it is [KAVOR_ITALIC]</div> "
              "<div class=\"sodatext\"><span class=\"character\">Ann</span>: Hi "
              "[KAVOR_BOLD_END]</div> \"see_also";
    m_site.addRoute(bodyRoute(u"/title/tt9000007/quotes"_qs, quotes));
    QByteArray trivia;
    for (int i = 0; i < 30000; ++i)
        trivia += "<div class=\"sodatext\">Fact " + QByteArray::number(i) + "</div>";
    m_site.addRoute(bodyRoute(u"/title/tt9000008/trivia"_qs, trivia));
    QElapsedTimer timer;
    timer.start();
    const StyledText marked = showText(quotesKind, {{u"imdb"_qs, u"9000007"_qs}});
    const QString separator = u"\n\n\t----------------------\n\n"_qs;
    QCOMPARE(marked.text().count(separator), 3);
    QVERIFY(marked.text().startsWith(u"NameName"_qs));
    QVERIFY(marked.text().contains(separator + u" left as it is "_qs + separator));
    QVERIFY(marked.text().endsWith(u"Ann: Hi [KAVOR_BOLD_END]"_qs + separator));
    QCOMPARE(runsOf(marked, TextStyle::Bold).size(), 1);
    QCOMPARE(showText(triviaKind, {{u"imdb"_qs, u"9000008"_qs}}).text().count(u"\n\n"_qs), 30000);
    QVERIFY2(timer.elapsed() < 30000, qPrintable(QString::number(timer.elapsed())));
}

void SideWindowsTest::messages_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QVariantMap>("entry");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    const struct
    {
        const char *window;
        QString title;
        QString noSelection;
        QString noNumber;
        QString noPage;
        QString otherPage;
    } windows[] = {
        {"awards", u"Movie awards for: "_qs, u"Please Select a Movie"_qs, u"No Awards"_qs,
         u"No Awards"_qs, u"9000011"_qs},
        {"locations", u"Locations for: "_qs, u"No Locations"_qs, u"No Locations"_qs,
         u"No Locations"_qs, u"9000001"_qs},
        {"goofs", u"Movie goofs for: "_qs, u"Please select a movie before running Goofs."_qs,
         u"No Goofs."_qs, u"No goofs."_qs, u"9000001"_qs},
        {"quotes", u"Movie quotes for: "_qs, u"Please select a movie before running Quotes."_qs,
         u"No Quotes."_qs, u"No quotes available."_qs, u"9000001"_qs},
        {"soundtrack", u"Movie soundtrack for: "_qs,
         u"Please select a movie before running SoundTrack."_qs, u"No SoundTrack."_qs,
         u"No soundtrack avaiable."_qs, u"9000001"_qs},
        {"trivia", u"Movie trivia for: "_qs, u"Please select a movie before running Trivia."_qs,
         u"No Trivia."_qs, u"No trivia available."_qs, u"9000001"_qs},
    };
    for (const auto &w : windows) {
        const QString window = QString::fromLatin1(w.window);
        QTest::addRow("%s, no selection", w.window)
            << window << QVariantMap() << w.title << w.noSelection;
        QTest::addRow("%s, no number found", w.window)
            << window << QVariantMap{{u"title"_qs, u"Nothing Like It"_qs}}
            << w.title + u"Nothing Like It"_qs << w.noNumber;
        QTest::addRow("%s, no page", w.window)
            << window << QVariantMap{{u"title"_qs, u"Gone"_qs}, {u"imdb"_qs, u"404"_qs}}
            << w.title + u"Gone"_qs << w.noPage;
        QTest::addRow("%s, another page", w.window)
            << window << QVariantMap{{u"imdb"_qs, w.otherPage}} << w.title << w.noPage;
    }
}

void SideWindowsTest::messages()
{
    QFETCH(QString, window);
    QFETCH(QVariantMap, entry);
    QFETCH(QString, title);
    QFETCH(QString, message);
    TestEntry selected(entry);
    m_host.select(entry.isEmpty() ? nullptr : &selected);
    showWindow(window);
    m_host.select(nullptr);
    QCOMPARE(on(window, [](auto &w) { return w.windowTitle(); }), title);
    QCOMPARE(shownMessage(window), message);
    QVERIFY(!on(window, [](auto &w) { return isAnimating(w.busy()); }));
}

void SideWindowsTest::busyWhileTheFetchHoldsTheThread_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("before"); // the title shown before
    QTest::addColumn<QString>("file");   // the page that comes slowly
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("title");
    QTest::newRow("awards") << u"awards"_qs << u"0478970"_qs
                            << u"awards/die-hard-tt0095016-2014-11.html"_qs << 12
                            << u"Movie awards for: Slow"_qs;
    QTest::newRow("locations") << u"locations"_qs << u"0095016"_qs
                               << u"locations/ant-man-tt0478970-2018.html"_qs << 7
                               << u"Locations for: Slow"_qs;
    QTest::newRow("trivia") << u"trivia"_qs << u"0478970"_qs
                            << u"trivia/ant-man-tt0478970-2017.html"_qs << 133
                            << u"Movie trivia for: Slow"_qs;
}

// The window shows, emptied and busy, before the fetch holds the main thread; one window
// serves each controller's life.
void SideWindowsTest::busyWhileTheFetchHoldsTheThread()
{
    QFETCH(QString, window);
    QFETCH(QString, before);
    QFETCH(QString, file);
    QFETCH(int, count);
    QFETCH(QString, title);
    TestEntry first({{u"imdb"_qs, before}});
    m_host.select(&first);
    showWindow(window);
    QVERIFY(shownCount(window) > 0);
    QWidget *shown = on(window, [](auto &w) { return w.window(); });
    TestSite::Route slow = pageRoute(u"/title/tt9000030/"_qs + window, file);
    slow.delayMs = 400;
    m_site.addRoute(slow);
    bool animating = false;
    bool visible = false;
    QString titleDuringFetch;
    qsizetype countDuringFetch = -1;
    QTimer::singleShot(150, this, [&] {
        animating = on(window, [](auto &w) { return isAnimating(w.busy()); });
        visible = shown->isVisible();
        titleDuringFetch = on(window, [](auto &w) { return w.windowTitle(); });
        countDuringFetch = shownCount(window);
    });
    TestEntry second({{u"title"_qs, u"Slow"_qs}, {u"imdb"_qs, u"9000030"_qs}});
    m_host.select(&second);
    showWindow(window);
    m_host.select(nullptr);
    QVERIFY(animating);
    QVERIFY(visible);
    QCOMPARE(titleDuringFetch, title);
    QCOMPARE(countDuringFetch, 0);
    QVERIFY(!on(window, [](auto &w) { return isAnimating(w.busy()); }));
    QCOMPARE(shownCount(window), count);
    QCOMPARE(on(window, [](auto &w) { return w.window(); }), shown);
}

IMDB_TEST_MAIN(SideWindowsTest)
#include "tst_side_windows.moc"
