// The locations window over saved locations pages served by the test site: the two lists a
// reader sees on each page, the table that shows them, the message row and hostile pages.

#include "platform/SystemLog.h"
#include "tests/support/TestMain.h"
#include "tests/windows/SitePages.h"
#include "windows/BusyIndicator.h"
#include "windows/Location.h"

#include <QLabel>
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
    void columnsAreChosenByIdentifier();
    void messageRow_data();
    void messageRow();
    void entriesWithoutLocationOrScene();
    void showingAgainEmptiesTheListsFirst();
    void busyWhileTheFetchHoldsTheThread();
    void pageTextIsNeverMarkup();
    void missingResourceIsLoggedAndSurvived();

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
    const TestSite::Request request = m_site.requests().last();
    QVERIFY(!request.secure);
    QCOMPARE(request.target, "/title/tt" + number.toLatin1() + "/locations");
    QCOMPARE(request.headers.value("host"), "127.0.0.1:" + QByteArray::number(m_site.httpPort()));
}

void LocationsWindowTest::tableShowsEachRowOnOneLine()
{
    show({{u"imdb"_qs, u"0478970"_qs}});
    QVERIFY(m_locations.window()->isVisible());
    const QAbstractItemModel *model = m_locations.table()->model();
    QVERIFY(model == &m_locations);
    QCOMPARE(model->columnCount(), 2);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), u"Location"_qs);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), u"Scene"_qs);
    QCOMPARE(model->index(0, 0).data().toString(),
             u"Pinewood Atlanta Studios, 461 Sandy Creek Road, Fayetteville, Georgia, USA"_qs);
    QCOMPARE(model->index(0, 0).data(Qt::EditRole).toString(), m_locations.locationArray().at(0));
    QCOMPARE(model->index(4, 1).data().toString(), u"(Returning from San Quentin)"_qs);
    // The window's own label is left as the layout has it.
    QCOMPARE(m_locations.window()->findChild<QLabel *>(u"titleText"_qs)->text(),
             u"Filming locations"_qs);
}

void LocationsWindowTest::columnsAreChosenByIdentifier()
{
    show({{u"imdb"_qs, u"0095016"_qs}});
    QCOMPARE(Location::columnIdentifiers(), QStringList({u"location"_qs, u"scene"_qs}));
    QCOMPARE(m_locations.objectValueForTableColumn(u"location", 3),
             m_locations.locationArray().at(3));
    QCOMPARE(m_locations.objectValueForTableColumn(u"scene", 3), u"(studio)"_qs);
    // Any identifier but "location" shows the scenes.
    QCOMPARE(m_locations.objectValueForTableColumn(u"Location", 0), u"(Nakatomi building)"_qs);
    QCOMPARE(m_locations.objectValueForTableColumn(u"anything", 1), u"(interiors)"_qs);
    QCOMPARE(m_locations.objectValueForTableColumn(u"location", 4), QString());
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

void LocationsWindowTest::entriesWithoutLocationOrScene()
{
    m_site.addRoute(bodyRoute(u"/title/tt9000001/locations"_qs,
                              "<dl><dt><a href=x> &nbsp; </a></dt></dd>"
                              "<dt><a href=y>Harbour &amp;amp; Pier</a></dt></dd>"
                              "<dt><a href=z>Hill</a></dt><dd>(night)</dd></dl>"));
    // A location that cleans to nothing is left out; one without a scene gets an empty one;
    // each text is cleaned twice.
    QCOMPARE(show({{u"imdb"_qs, u"9000001"_qs}}),
             Rows({{u"Harbour & Pier"_qs, {}}, {u"Hill\n(night)"_qs, u"(night)"_qs}}));

    m_site.addRoute(bodyRoute(u"/title/tt9000002/locations"_qs, "<dt> and nothing after it"));
    QCOMPARE(show({{u"imdb"_qs, u"9000002"_qs}}), Rows());
    m_site.addRoute(bodyRoute(u"/title/tt9000003/locations"_qs, "<dt></dd><dt></dd>"));
    QCOMPARE(show({{u"imdb"_qs, u"9000003"_qs}}), Rows());
}

void LocationsWindowTest::showingAgainEmptiesTheListsFirst()
{
    QCOMPARE(show({{u"imdb"_qs, u"0478970"_qs}}).size(), 7);
    QWidget *window = m_locations.window();
    QCOMPARE(show({{u"imdb"_qs, u"0095016"_qs}}).size(), 4);
    QCOMPARE(m_locations.table()->model()->rowCount(), 4);
    m_locations.showLocationForSelection();
    QCOMPARE(rows(), Rows({{u"No Locations"_qs, {}}}));
    QCOMPARE(m_locations.window(), window);
}

void LocationsWindowTest::busyWhileTheFetchHoldsTheThread()
{
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
    show({{u"imdb"_qs, u"0095016"_qs}});
    QCOMPARE(show({{u"imdb"_qs, u"9000010"_qs}}).size(), 7);
    QVERIFY(animatingDuringFetch);
    // The last movie's rows were gone before the fetch began.
    QCOMPARE(rowsDuringFetch, 0);
    QVERIFY(!isAnimating(m_locations.busy()));
}

void LocationsWindowTest::pageTextIsNeverMarkup()
{
    m_site.addRoute(
        bodyRoute(u"/title/tt9000020/locations"_qs,
                  "<dt><a>&amp;lt;img src=x&amp;gt;</a></dt><dd>&amp;lt;b&amp;gt;</dd>"));
    // The page's text is cleaned twice: markup characters show when escaped twice.
    const QString title = u"<b>[*]</b>"_qs;
    QCOMPARE(show({{u"imdb"_qs, u"9000020"_qs}, {u"title"_qs, title}}),
             Rows({{u"<img src=x>\n<b>"_qs, u"<b>"_qs}}));
    QCOMPARE(m_locations.windowTitle(), u"Locations for: "_qs + title);
    QCOMPARE(m_locations.table()->model()->index(0, 0).data().toString(), u"<img src=x> <b>"_qs);
}

void LocationsWindowTest::missingResourceIsLoggedAndSurvived()
{
    Location locations(u"/nonexistent"_qs);
    platform::LogCapture log;
    locations.showLocationForSelection();
    TestEntry entry({{u"imdb"_qs, u"0095016"_qs}});
    m_host.select(&entry);
    locations.showLocationForSelection();
    m_host.select(nullptr);
    QCOMPARE(log.lines(), QStringList({u"Location.nib Failed"_qs, u"Location.nib Failed"_qs}));
    QVERIFY(!locations.window());
    // The lists are the controller's own: they hold the last movie's locations.
    QCOMPARE(locations.numberOfRowsInTableView(), 4);
}

IMDB_TEST_MAIN(LocationsWindowTest)
#include "tst_locations_window.moc"
