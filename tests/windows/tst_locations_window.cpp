// The locations window over saved and hand-made locations pages served by the test site.

#include "tests/support/TestMain.h"
#include "tests/windows/SitePages.h"
#include "windows/BusyIndicator.h"
#include "windows/Location.h"

#include <QTableView>
#include <QTimer>

using Rows = QList<std::pair<QString, QString>>;
Q_DECLARE_METATYPE(Rows)

class LocationsWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void savedPages_data();
    void savedPages();
    void tableShowsEachRowOnOneLine();
    void messageRow_data();
    void messageRow();
    void handMadePages_data();
    void handMadePages();
    void showingAgainEmptiesTheListsFirst();

private:
    Rows show(const QVariantMap &entryValues);
    Rows rows() const;
    TestHost m_host;
    TestSite m_site{testData(u""_qs)};
    Location m_locations;
};

void LocationsWindowTest::initTestCase()
{
    m_site.addRoute(pageRoute(u"/title/tt0095016/locations"_qs,
                              u"locations/die-hard-tt0095016-2014-01.html"_qs));
    m_site.addRoute(pageRoute(u"/title/tt0095017/locations"_qs,
                              u"locations/die-hard-tt0095016-2018-08.html"_qs));
    m_site.addRoute(
        pageRoute(u"/title/tt0478970/locations"_qs, u"locations/ant-man-tt0478970-2018.html"_qs));
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

Rows LocationsWindowTest::rows() const
{
    const QStringList locations = m_locations.locationArray();
    const QStringList scenes = m_locations.sceneArray();
    Rows rows;
    for (qsizetype i = 0; i < std::min(locations.size(), scenes.size()); ++i)
        rows.append({locations.at(i), scenes.at(i)});
    return rows;
}

Rows LocationsWindowTest::show(const QVariantMap &entryValues)
{
    TestEntry entry(entryValues);
    m_host.select(&entry);
    m_locations.showLocationForSelection();
    m_host.select(nullptr);
    return rows();
}

void LocationsWindowTest::savedPages_data()
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

void LocationsWindowTest::savedPages()
{
    QFETCH(QString, number);
    QFETCH(Rows, expected);
    QCOMPARE(show({{u"title"_qs, u"Die Hard"_qs}, {u"imdb"_qs, number}}), expected);
    QCOMPARE(m_locations.sceneArray().size(), m_locations.locationArray().size());
    QCOMPARE(m_locations.windowTitle(), u"Locations for: Die Hard"_qs);
    QCOMPARE(m_locations.numberOfRowsInTableView(), expected.size());
    QCOMPARE(m_locations.table()->model()->rowCount(), expected.size());
}

void LocationsWindowTest::tableShowsEachRowOnOneLine()
{
    show({{u"imdb"_qs, u"0478970"_qs}});
    QVERIFY(m_locations.window()->isVisible());
    const QAbstractItemModel *model = m_locations.table()->model();
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

void LocationsWindowTest::messageRow_data()
{
    QTest::addColumn<QVariantMap>("entry");
    QTest::addColumn<QString>("title");
    QTest::newRow("no selection") << QVariantMap() << u"Locations for: "_qs;
    QTest::newRow("no number found") << QVariantMap{{u"title"_qs, u"Nothing Like It"_qs}}
                                     << u"Locations for: Nothing Like It"_qs;
    QTest::newRow("no page") << QVariantMap{{u"imdb"_qs, u"404"_qs}} << u"Locations for: "_qs;
    QTest::newRow("page without entries")
        << QVariantMap{{u"imdb"_qs, u"0095016"_qs}, {u"title"_qs, u"Awards"_qs}}
        << u"Locations for: Awards"_qs;
}

void LocationsWindowTest::messageRow()
{
    QFETCH(QVariantMap, entry);
    QFETCH(QString, title);
    // The awards page has no "<dt>" at all.
    m_site.addRoute(
        pageRoute(u"/title/tt0095016/locations"_qs, u"awards/die-hard-tt0095016-2014-11.html"_qs));
    if (entry.isEmpty())
        m_locations.showLocationForSelection();
    else
        show(entry);
    const Rows shown = rows();
    m_site.addRoute(pageRoute(u"/title/tt0095016/locations"_qs,
                              u"locations/die-hard-tt0095016-2014-01.html"_qs));
    QCOMPARE(shown, Rows({{u"No Locations"_qs, {}}}));
    QCOMPARE(m_locations.windowTitle(), title);
    QVERIFY(!isAnimating(m_locations.busy()));
}

void LocationsWindowTest::handMadePages_data()
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

void LocationsWindowTest::handMadePages()
{
    QFETCH(QByteArray, page);
    QFETCH(Rows, expected);
    static int number = 9000000;
    const QString titleNumber = QString::number(++number);
    m_site.addRoute(bodyRoute(u"/title/tt"_qs + titleNumber + u"/locations"_qs, page));
    const QString title = u"<b>[*]</b>"_qs;
    QCOMPARE(show({{u"imdb"_qs, titleNumber}, {u"title"_qs, title}}), expected);
    QCOMPARE(m_locations.windowTitle(), u"Locations for: "_qs + title);
    if (!expected.isEmpty()) {
        QCOMPARE(m_locations.table()->model()->index(0, 0).data().toString(),
                 QString(expected.first().first).replace(u'\n', u' '));
    }
}

void LocationsWindowTest::showingAgainEmptiesTheListsFirst()
{
    QCOMPARE(show({{u"imdb"_qs, u"0095016"_qs}}).size(), 4);
    QWidget *window = m_locations.window();
    TestSite::Route slow =
        pageRoute(u"/title/tt9000010/locations"_qs, u"locations/ant-man-tt0478970-2018.html"_qs);
    slow.delayMs = 400;
    m_site.addRoute(slow);
    bool animatingDuringFetch = false;
    qsizetype rowsDuringFetch = -1;
    QTimer::singleShot(150, this, [&] {
        animatingDuringFetch = isAnimating(m_locations.busy());
        rowsDuringFetch = m_locations.table()->model()->rowCount();
    });
    QCOMPARE(show({{u"imdb"_qs, u"9000010"_qs}}).size(), 7);
    QVERIFY(animatingDuringFetch);
    // The last movie's rows were gone before the fetch began.
    QCOMPARE(rowsDuringFetch, 0);
    QVERIFY(!isAnimating(m_locations.busy()));
    QCOMPARE(m_locations.table()->model()->rowCount(), 7);
    m_locations.showLocationForSelection();
    QCOMPARE(rows(), Rows({{u"No Locations"_qs, {}}}));
    QCOMPARE(m_locations.window(), window);
}

IMDB_TEST_MAIN(LocationsWindowTest)
#include "tst_locations_window.moc"
