// The side windows' page readers on small hand-made pages: the corners of each walk that the
// saved pages do not reach.

#include "tests/support/TestMain.h"
#include "windows/AwardsPage.h"
#include "windows/LocationsPage.h"
#include "windows/TextPages.h"

namespace {

const QString separator = u"\n\n\t----------------------\n\n"_qs;

QString awardsPage(const QString &events)
{
    return u"<h1 class=\"header\">Awards</h1>"_qs + events;
}

using Reader = std::function<std::optional<StyledText>(const QString &)>;

} // namespace

Q_DECLARE_METATYPE(Reader)

class SidePagesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void awardsWithoutTheMarkerAreNoAwards();
    void awardsOutcomeWithTwoCategories();
    void awardsRowsLackWhatThePageLacks();
    void goofsTakeInlineHeadings();
    void quotesNestedAndEmptyElements();
    void textReaders_data();
    void textReaders();
    void styledTextRuns();
    void everyRowNamesItsLocation_data();
    void everyRowNamesItsLocation();
};

void SidePagesTest::awardsWithoutTheMarkerAreNoAwards()
{
    QVERIFY(!awardRowsFromPage(QString()));
    QVERIFY(!awardRowsFromPage(u"<h1>Awards list</h1><table></table>"_qs));
    QCOMPARE(awardRowsFromPage(awardsPage(u"no events yet"_qs)), QList<QVariantMap>());
}

void SidePagesTest::awardsOutcomeWithTwoCategories()
{
    const auto rows = awardRowsFromPage(awardsPage(
        u"<h3>Gala <a class=\"event_year\">1999</a></h3><table>"
        u"<td class=\"title_award_outcome\"><b>Won</b><span class=\"award_category\">Prize</span>"
        u"<td class=\"award_description\">Best Song<br/><a href=\"/n1\">Ann</a>"
        u"<td class=\"award_description\">Best Score<br/><a href=\"/n2\">Bo &amp; Cy</a>"
        u"</table>"_qs));
    QVERIFY(rows);
    const QVariantMap common{
        {u"year"_qs, u"1999"_qs}, {u"award"_qs, u"Gala"_qs}, {u"result"_qs, u"Won"_qs}};
    QVariantMap song = common;
    song.insert({{u"category"_qs, u"Best Song"_qs}, {u"persons"_qs, u"Ann"_qs}});
    QVariantMap score = common;
    score.insert({{u"category"_qs, u"Best Score"_qs}, {u"persons"_qs, u"Bo & Cy"_qs}});
    QCOMPARE(*rows, QList<QVariantMap>({song, score}));
}

void SidePagesTest::awardsRowsLackWhatThePageLacks()
{
    const auto rows = awardRowsFromPage(awardsPage(
        // An outcome without any description: no category, no persons.
        u"<h3>Gala <a class=\"event_year\">2001</a></h3><table>"
        u"<td class=\"title_award_outcome\"><b>Nominated</b></table>"
        // Links that clean to nothing: no persons.
        u"<h3>Fest <a class=\"event_year\">2002</a></h3><table>"
        u"<td class=\"title_award_outcome\"><b>Won</b>"
        u"<td class=\"award_description\">Best Short<br/><a href=\"/n\"> <img src=\"p\"> </a>"
        u"</table>"
        // No year: the row's first values end there, the category stays.
        u"<h3>Show</h3><table><td class=\"title_award_outcome\"><b>Won</b>"
        u"<td class=\"award_description\">Best Host<br/></table>"_qs));
    QVERIFY(rows);
    QCOMPARE(*rows, QList<QVariantMap>({{{u"year"_qs, u"2001"_qs},
                                         {u"award"_qs, u"Gala"_qs},
                                         {u"result"_qs, u"Nominated"_qs}},
                                        {{u"year"_qs, u"2002"_qs},
                                         {u"award"_qs, u"Fest"_qs},
                                         {u"result"_qs, u"Won"_qs},
                                         {u"category"_qs, u"Best Short"_qs}},
                                        {{u"category"_qs, u"Best Host"_qs}}}));
}

void SidePagesTest::goofsTakeInlineHeadings()
{
    const auto goofs = goofsFromPage(
        u"<div class=\"list\">"
        u"<div class=\"soda\"><h4 class=\"inline\">Audio</h4> a hum <span>x</span>"
        u"<div class=\"soda\">a click <span>x</span>"
        u"<h4 class=\"li_group\">Errors &amp; more</h4><div class=\"soda\">a date <span>x</span>"
        u"</div>"_qs);
    QVERIFY(goofs);
    // A heading found inside an entry stays for the goofs after it, until a group heading.
    QCOMPARE(goofs->text(), u"Audio a hum\n\nAudio a click\n\nErrors & more a date\n\n"_qs);
    QCOMPARE(goofs->runs().at(0), (StyledRun{0, 5, TextStyle::Heading}));
    QCOMPARE(goofs->runs().at(1), (StyledRun{5, 8, TextStyle::Regular}));
}

void SidePagesTest::quotesNestedAndEmptyElements()
{
    const StyledText quotes = quotesFromPage(
        // A direction around a speaker: the speaker takes the first end, the direction the
        // next, and the direction's style replaces the speaker's.
        u"quotes_content<div class=\"sodatext\">[<span class=\"fine\">Gasps <span "
        u"class=\"character\">Kurt</span> jumps</span>]</div>"
        // An empty speaker: no run, no marker left.
        u"<div class=\"sodatext\"><span class=\"character\"></span>: hi <span "
        u"class=\"character\">Bo</span></div>\"see_also"_qs);
    const QString first = u"[Gasps Kurt jumps]"_qs;
    QCOMPARE(quotes.text(), first + separator + u": hi Bo"_qs + separator);
    const QList<StyledRun> runs = quotes.runs();
    QCOMPARE(runs.at(0), (StyledRun{0, 1, TextStyle::Regular}));
    QCOMPARE(runs.at(1), (StyledRun{1, 16, TextStyle::Italic}));
    const qsizetype second = first.size() + separator.size();
    QCOMPARE(runs.at(3), (StyledRun{second + 5, 2, TextStyle::Bold}));
}

void SidePagesTest::textReaders_data()
{
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("text"); // "none": no list at all
    QTest::addColumn<int>("runs");     // -1: not counted
    const Reader goofs = goofsFromPage;
    const auto text = [](StyledText (*reader)(const QString &)) {
        return Reader([reader](const QString &page) { return reader(page); });
    };
    QTest::newRow("goofs list without entries")
        << goofs << u"<div class=\"list\">nothing</div>"_qs << u"none"_qs << -1;
    // A list page whose list cannot be found shows nothing at all.
    QTest::newRow("goofs without a list")
        << goofs << u"<div class=\"soda\">orphan</div>"_qs << QString() << -1;
    QTest::newRow("quote whose speaker has no end")
        << text(quotesFromPage)
        << u"quotes_content<div class=\"sodatext\"><p><span class=\"character\">Al:\nHello"
           u"</p></div>\"see_also"_qs
        << u"Al: Hello"_qs + separator << 1;
    QTest::newRow("quote that cleans to nothing")
        << text(quotesFromPage)
        << u"quotes_content<div class=\"sodatext\"> <p> </p> </div>"
           u"<div class=\"sodatext\">Yes.</div>\"see_also"_qs
        << u"Yes."_qs + separator << -1;
    QTest::newRow("quotes outside the section")
        << text(quotesFromPage) << u"<div class=\"sodatext\">Yes.</div>"_qs << QString() << -1;
    QTest::newRow("soundtrack outside the section")
        << text(soundtrackFromPage) << u"<div class=\"soda\">Song</div>"_qs << QString() << -1;
    QTest::newRow("soundtrack")
        << text(soundtrackFromPage)
        << u"\"soundtracks_content\"<div class=\"soda\">Song<br />By Al<br /></div><div></div>"
           u"\"see_also\""_qs
        << u"SongBy Al\n\n"_qs << -1;
    QTest::newRow("trivia without entries")
        << text(triviaFromPage) << u"<div class=\"soda\">Fact</div>"_qs << QString() << -1;
    QTest::newRow("trivia, one empty")
        << text(triviaFromPage)
        << u"<div class=\"sodatext\">A &amp; B</div><div class=\"sodatext\"></div>"
           u"<div class=\"sodatext\">C"_qs
        << u"A & B\n\nC\n\n"_qs << -1;
}

void SidePagesTest::textReaders()
{
    QFETCH(Reader, reader);
    QFETCH(QString, page);
    QFETCH(QString, text);
    QFETCH(int, runs);
    const std::optional<StyledText> read = reader(page);
    QCOMPARE(read ? read->text() : u"none"_qs, text);
    if (runs >= 0)
        QCOMPARE(read->runs().size(), runs);
}

void SidePagesTest::styledTextRuns()
{
    StyledText text;
    QVERIFY(text.runs().isEmpty());
    text.append(u"ab"_qs, TextStyle::Bold);
    text.append(u"c"_qs, TextStyle::Bold);
    text.append(QString(), TextStyle::Italic);
    text.append(u"de"_qs, TextStyle::Regular);
    QCOMPARE(text.text(), u"abcde"_qs);
    QCOMPARE(text.runs(), QList<StyledRun>({{0, 3, TextStyle::Bold}, {3, 2, TextStyle::Regular}}));
}

void SidePagesTest::everyRowNamesItsLocation_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("locations");
    // Found by fuzz: "<<a>s" cleans to "<s", which the second cleaning takes for a tag cut off
    // by the end: an empty location, so no row.
    QTest::newRow("location that reads as a tag once cleaned") << u"<dt>><<a>s"_qs << QStringList();
    QTest::newRow("the same before a named location")
        << u"<dt>><<a>s</dd><dt><a>Pier &amp;amp; Harbour</a></dd>"_qs
        << QStringList{u"Pier & Harbour"_qs};
    // A location whose text survives both cleanings stays, whatever it holds.
    QTest::newRow("angle bracket before a word") << u"<dt>>< <a>s"_qs << QStringList{u"< s"_qs};
}

void SidePagesTest::everyRowNamesItsLocation()
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

IMDB_TEST_MAIN(SidePagesTest)
#include "tst_side_pages.moc"
