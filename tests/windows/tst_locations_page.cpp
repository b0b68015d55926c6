// The locations page walk on the input the fuzzer found: an entry whose location cleans to
// something once and to nothing twice.

#include "tests/support/TestMain.h"
#include "windows/LocationsPage.h"

class LocationsPageTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyRowNamesItsLocation_data();
    void everyRowNamesItsLocation();
};

void LocationsPageTest::everyRowNamesItsLocation_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("locations");
    // The fuzzer's input made small: "<<a>s" cleans to "<s", which the second cleaning
    // takes for a tag cut off by the end: an empty location, so no row.
    QTest::newRow("location that reads as a tag once cleaned") << u"<dt>><<a>s"_qs << QStringList();
    QTest::newRow("the same before a named location")
        << u"<dt>><<a>s</dd><dt><a>Pier &amp;amp; Harbour</a></dd>"_qs
        << QStringList{u"Pier & Harbour"_qs};
    // A location whose text survives both cleanings stays, whatever it holds.
    QTest::newRow("angle bracket before a word") << u"<dt>>< <a>s"_qs << QStringList{u"< s"_qs};
}

void LocationsPageTest::everyRowNamesItsLocation()
{
    QFETCH(QString, page);
    QFETCH(QStringList, locations);
    const auto found = locationsFromPage(page);
    QVERIFY(found);
    QStringList names;
    for (const FilmingLocation &location : *found) {
        QVERIFY(location.scene.isEmpty());
        names.append(location.location);
    }
    QCOMPARE(names, locations);
}

IMDB_TEST_MAIN(LocationsPageTest)
#include "tst_locations_page.moc"
