// Director, creator, writer and producer from the title page, and saved pages of two eras.

#include "details/Crew.h"
#include "details/NameLinks.h"
#include "tests/details/CreditsTestSupport.h"
#include "tests/details/TitleTestPages.h"

#include <QElapsedTimer>

class CrewTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void nameLinkList_data();
    void nameLinkList();
    void rules_data();
    void rules();
    void savedPages_data();
    void savedPages();
    void hugeBlocksInLinearTime();
};

namespace {

QString link(const QString &name, int number = 1)
{
    return u"<a href=\"/name/nm"_qs + QString::number(number).rightJustified(7, u'0') +
           u"/?ref_=tt_ov_st\">"_qs + name + u"</a>"_qs;
}

// A producer table row of the oldest layout, whose links end in "/\">".
QString producerRow(const QString &name, int number)
{
    return u"<tr><td><a href=\"/name/nm"_qs + QString::number(number).rightJustified(7, u'0') +
           u"/\">"_qs + name + u"</a></td><td>producer</td></tr>"_qs;
}

QString producerTable(const QStringList &names)
{
    QString table = u"<a name=\"producers\" href=\"/P#producer\"><table>"_qs;
    for (int i = 0; i < names.size(); ++i)
        table += producerRow(names.at(i), i + 1);
    return table + u"</table>"_qs;
}

using Fields = QMap<QString, QString>;

} // namespace

void CrewTest::init()
{
    switchOnOnly({});
}

void CrewTest::nameLinkList_data()
{
    QTest::addColumn<Text>("block");
    QTest::addColumn<QString>("list");

    QTest::newRow("null block") << Text() << QString();
    QTest::newRow("no person link") << Text(u"<a href=\"/title/tt1/\">Alien</a>"_qs) << QString();
    QTest::newRow("markup and references in the link text")
        << Text(u"<a href=\"/name/nm1/\" itemprop='url'><span itemprop=\"name\">Zo&#235; "
                u"Kravitz</span></a>"_qs)
        << u"Zoë Kravitz"_qs;
    QTest::newRow("repeated links are all kept")
        << Text(QString(link(u"Ann Lee"_qs) + link(u"Ann Lee"_qs))) << u"Ann Lee, Ann Lee"_qs;
    QTest::newRow("last link never closed")
        << Text(QString(link(u"Ann Lee"_qs) + u", <a href=\"/name/nm2/\">Bo Ray"_qs))
        << u"Ann Lee, Bo Ray"_qs;
    QTest::newRow("link target without a tag end") << Text(u"see /name/nm0000001"_qs) << QString();
}

void CrewTest::nameLinkList()
{
    QFETCH(Text, block);
    QFETCH(QString, list);
    const Text found = details::nameLinkList(block);
    QVERIFY(!found.isNull());
    QCOMPARE(found.string(), list);
}

void CrewTest::rules_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<Fields>("before");
    QTest::addColumn<bool>("producedByOn");
    QTest::addColumn<Fields>("after");

    const QString directorBlock = u"<h4>Director:</h4>"_qs + link(u"Cy Dale"_qs) + u"</div>"_qs;

    // Director.
    QTest::newRow("structured data: two directors, in their order")
        << withStructuredData(
               u"{\"director\":[{\"@type\":\"Person\",\"name\":\"Bo Ray\"},{\"name\":\"Ann "
               u"Lee\"}]}"_qs,
               directorBlock)
        << Fields{} << false << Fields{{recordkey::director, u"Bo Ray, Ann Lee"_qs}};
    QTest::newRow("script text: only the first director object")
        << u"<script>{\"x\":1,\"director\":{\"name\":\"Ann Lee\"},{\"name\":\"Bo "
           u"Ray\"}}</script>"_qs
        << Fields{} << false << Fields{{recordkey::director, u"Ann Lee"_qs}};
    QTest::newRow("script text names are neither cleaned nor decoded")
        << u"\"director\":{\"name\":\"Ann &amp; Lee\",\"name\":\"Bo Ray\"}"_qs << Fields{} << false
        << Fields{{recordkey::director, u"Ann &amp; Lee, Bo Ray"_qs}};
    QTest::newRow("list item after a Director label")
        << u"<span>Director</span><ul><li class=\"a\" data-x='{\"name\":\"Ann "
           u"Lee\"}'>Ann Lee</li></ul>"_qs
        << Fields{} << false << Fields{{recordkey::director, u"Ann Lee"_qs}};
    QTest::newRow("a director object without names falls to the blocks")
        << u"\"director\":{\"name\": \"spaced\"}"_qs + directorBlock << Fields{} << false
        << Fields{{recordkey::director, u"Cy Dale"_qs}};
    QTest::newRow("Directors: two links")
        << u"<h4>Directors:</h4>"_qs + link(u"Ann Lee"_qs) + u", "_qs + link(u"Bo Ray"_qs, 2) +
               u"</div>"_qs
        << Fields{} << false << Fields{{recordkey::director, u"Ann Lee, Bo Ray"_qs}};
    QTest::newRow("plain name after the overview link, as it stands")
        << u"<a href=\"/name/nm0000001/?ref_=tt_ov_dr\">Jean &amp; Luc</a>"_qs << Fields{} << false
        << Fields{{recordkey::director, u"Jean &amp; Luc"_qs}};
    QTest::newRow("an empty director is filled")
        << directorBlock << Fields{{recordkey::director, QString(u""_qs)}} << false
        << Fields{{recordkey::director, u"Cy Dale"_qs}};
    QTest::newRow("no director anywhere")
        << u"<h4>Stars:</h4>"_qs + link(u"Star"_qs) << Fields{} << false << Fields{};

    // Creator.
    QTest::newRow("structured creator beats the Creator block")
        << withStructuredData(u"{\"creator\":[{\"@type\":\"Organization\"},{\"name\":\"Ann "
                              u"Lee\"}]}"_qs,
                              u"<h4>Creator:</h4>"_qs + link(u"Bo Ray"_qs) + u"</div>"_qs)
        << Fields{} << false << Fields{{recordkey::creator, u"Ann Lee"_qs}};
    QTest::newRow("Creator block when the structured data names nobody")
        << withStructuredData(u"{\"creator\":[{\"@type\":\"Organization\"}]}"_qs,
                              u"<h4>Creator:</h4>"_qs + link(u"Bo Ray"_qs) + u"</div>"_qs)
        << Fields{} << false << Fields{{recordkey::creator, u"Bo Ray"_qs}};
    QTest::newRow("Creators block")
        << u"<h4>Creators:</h4>"_qs + link(u"Ann Lee"_qs) + link(u"Bo &amp; Co"_qs, 2) +
               u"</div>"_qs
        << Fields{} << false << Fields{{recordkey::creator, u"Ann Lee, Bo & Co"_qs}};
    QTest::newRow("Creator block without links")
        << u"<h4>Creator:</h4> Ann Lee</div>"_qs << Fields{} << false << Fields{};

    // Writer.
    QTest::newRow("Writers label with its list")
        << u"<span class=\"label\">Writers</span><div><ul><li>"_qs + link(u"Ann Lee"_qs) +
               u"<span>(screenplay)</span></li><li>"_qs + link(u"Bo Ray"_qs, 2) +
               u"</li></ul></div>"_qs + u"<h4>Stars:</h4>"_qs + link(u"Star"_qs, 3) +
               u"<ul></ul>"_qs
        << Fields{} << false << Fields{{recordkey::writer, u"Ann Lee, Bo Ray"_qs}};
    QTest::newRow("Writers heading: the block ends with its box")
        << u"<div><h4 class=\"inline\">Writers:</h4>\n"_qs + link(u"Ann Lee"_qs) + u", "_qs +
               link(u"Bo Ray"_qs, 2) + u"</div><div><h4 class=\"inline\">Stars:</h4>"_qs +
               link(u"Star One"_qs, 3) + u"</div><ul><li>"_qs + link(u"Cast"_qs, 4) +
               u"</li></ul>"_qs
        << Fields{} << false << Fields{{recordkey::writer, u"Ann Lee, Bo Ray"_qs}};
    QTest::newRow("Writers label without person links: no fall-back")
        << u"<span class=\"label\">Writers</span><ul><li>nobody</li></ul>"_qs +
               u"<h4>Writers:</h4>"_qs + link(u"Ann Lee"_qs) + u"</div>"_qs
        << Fields{} << false << Fields{};
    QTest::newRow("scanner: Writers: up to the box end, any letter case")
        << u"<h4 class=\"inline\">\n  WRITERS:\n  </h4>\n"_qs + link(u"Homer"_qs) +
               u" <span>(poem)</span>, "_qs + link(u"David Benioff"_qs, 2) + u"</div>"_qs +
               link(u"Not a writer"_qs, 3)
        << Fields{} << false << Fields{{recordkey::writer, u"Homer, David Benioff"_qs}};
    QTest::newRow("scanner: the writer table up to its end")
        << u"<a href=\"/W#writer\">Writing credits</a><table>"_qs + link(u"Ann Lee"_qs) +
               u"</table>"_qs + link(u"Not a writer"_qs, 2)
        << Fields{} << false << Fields{{recordkey::writer, u"Ann Lee"_qs}};

    // Producer.
    const QStringList six{u"P One"_qs,  u"P Two"_qs,  u"P Three"_qs,
                          u"P Four"_qs, u"P Five"_qs, u"P Six"_qs};
    QTest::newRow("six producers, limit 4")
        << producerTable(six) << Fields{} << false
        << Fields{{recordkey::producer, u"P One, P Two, P Three, P Four"_qs}};
    QTest::newRow("a repeated producer counts once")
        << producerTable({u"P One"_qs, u"P One"_qs, u"P Two"_qs, u"P One"_qs, u"P Three"_qs,
                          u"P Four"_qs, u"P Five"_qs})
        << Fields{} << false << Fields{{recordkey::producer, u"P One, P Two, P Three, P Four"_qs}};
    QStringList many;
    for (int i = 1; i <= 25; ++i)
        many.append(u"Person "_qs + QString::number(i));
    QTest::newRow("twenty-five producers, limit 20")
        << producerTable(many) << Fields{} << true
        << Fields{{recordkey::producer, QStringList(many.mid(0, 20)).join(u", ")}};
    QTest::newRow("producer replaces an earlier value")
        << producerTable({u"Joel &amp; Silver"_qs}) << Fields{{recordkey::producer, u"Old"_qs}}
        << false << Fields{{recordkey::producer, u"Joel & Silver"_qs}};
    QTest::newRow("empty producer table leaves the value")
        << producerTable({}) << Fields{{recordkey::producer, u"Old"_qs}} << false
        << Fields{{recordkey::producer, u"Old"_qs}};

    // Earlier values from the legacy page: director, creator and writer stay, producer goes.
    QTest::newRow("legacy values")
        << u"<h4>Director:</h4>"_qs + link(u"New D"_qs) + u"</div><h4>Creator:</h4>"_qs +
               link(u"New C"_qs) + u"</div><h4>Writer:</h4>"_qs + link(u"New W"_qs) + u"</div>"_qs +
               producerTable({u"New P"_qs})
        << Fields{{recordkey::director, u"D"_qs},
                  {recordkey::creator, u"C"_qs},
                  {recordkey::writer, u"W"_qs},
                  {recordkey::producer, u"P"_qs}}
        << false
        << Fields{{recordkey::director, u"D"_qs},
                  {recordkey::creator, u"C"_qs},
                  {recordkey::writer, u"W"_qs},
                  {recordkey::producer, u"New P"_qs}};
}

void CrewTest::rules()
{
    QFETCH(QString, page);
    QFETCH(Fields, before);
    QFETCH(bool, producedByOn);
    QFETCH(Fields, after);
    switchOnOnly(producedByOn ? QList<QString>{prefs::creditsProducedBy} : QList<QString>{});

    TitleRecord record;
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        record.set(it.key(), it.value());
    TitlePage titlePage = offlineTitlePage(page);
    details::addPrincipalCrew(titlePage, record);

    Fields found;
    for (auto it = record.values().cbegin(); it != record.values().cend(); ++it)
        found.insert(it.key(), it.value().toString());
    QCOMPARE(found, after);
}

void CrewTest::savedPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("director");
    QTest::addColumn<QString>("creator");
    QTest::addColumn<QString>("writer");

    // A null text stands for an absent field.
    QTest::newRow("Star Wars 2022") << u"title-2020s/star-wars-tt0076759-2022-03.html"_qs
                                    << u"George Lucas"_qs << u"George Lucas"_qs << QString();
    QTest::newRow("The Da Vinci Code 2022")
        << u"title-2020s/da-vinci-code-2022-03.html"_qs << u"Ron Howard"_qs
        << u"Akiva Goldsman, Dan Brown"_qs << u"Akiva Goldsman, Dan Brown"_qs;
    QTest::newRow("War for the Planet of the Apes 2022")
        << u"title-2020s/war-for-the-planet-of-the-apes-2022-03.html"_qs << u"Matt Reeves"_qs
        << u"Mark Bomback, Matt Reeves, Rick Jaffa"_qs
        << u"Mark Bomback, Matt Reeves, Rick Jaffa"_qs;
    QTest::newRow("Foundation series 2022")
        << u"title-2020s/foundation-tt0804484-series-2022-03.html"_qs << QString()
        << u"Josh Friedman, David S. Goyer"_qs << QString();
    QTest::newRow("House, Charity Case 2022")
        << u"title-2020s/house-charity-case-tt2016511-episode-2022-03.html"_qs
        << u"Greg Yaitanes"_qs << u"David Shore, Sara Hess"_qs << u"David Shore, Sara Hess"_qs;

    QTest::newRow("The Matrix 2014")
        << u"title-2010s/matrix-tt0133093-2014-06.html"_qs << u"Andy Wachowski, Lana Wachowski"_qs
        << QString() << u"Andy Wachowski, Lana Wachowski"_qs;
    QTest::newRow("District 9 2014")
        << u"title-2010s/district-9-tt1136608-2014-06.html"_qs << u"Neill Blomkamp"_qs << QString()
        << u"Neill Blomkamp, Terri Tatchell"_qs;
    // Its structured director is one object, not a list: the heading block names him.
    QTest::newRow("The Shawshank Redemption 2018")
        << u"title-2010s/shawshank-redemption-tt0111161-2018-08.html"_qs << u"Frank Darabont"_qs
        << u"Stephen King, Frank Darabont"_qs << u"Stephen King, Frank Darabont"_qs;
    QTest::newRow("Crociati 2014")
        << u"title-2010s/crociati-tt0284717-tvmovie-2014-06.html"_qs
        << u"Dominique Othenin-Girard"_qs << QString() << u"Andrea Porporati"_qs;
    // "Director:" and "</h4>" stand on separate lines here, which no director marker matches.
    QTest::newRow("Troy 2011") << u"title-2010s/troy-tt0332452-2011.html"_qs << QString()
                               << QString() << u"Homer, David Benioff"_qs;
    QTest::newRow("The Wire 2014") << u"title-2010s/the-wire-tt0306414-series-2014-06.html"_qs
                                   << QString() << u"David Simon"_qs << QString();
}

void CrewTest::savedPages()
{
    QFETCH(QString, file);
    QFETCH(QString, director);
    QFETCH(QString, creator);
    QFETCH(QString, writer);

    TitleRecord record;
    TitlePage titlePage = offlineTitlePage(savedPage(file));
    details::addPrincipalCrew(titlePage, record);
    QCOMPARE(record.text(recordkey::director).optional(),
             director.isNull() ? std::nullopt : std::optional(director));
    QCOMPARE(record.text(recordkey::creator).optional(),
             creator.isNull() ? std::nullopt : std::optional(creator));
    QCOMPARE(record.text(recordkey::writer).optional(),
             writer.isNull() ? std::nullopt : std::optional(writer));
    QVERIFY(!record.contains(recordkey::producer));
}

void CrewTest::hugeBlocksInLinearTime()
{
    QString links;
    for (int i = 0; i < 20000; ++i)
        links += link(u"Person "_qs + QString::number(i), i);
    QStringList producers;
    for (int i = 0; i < 20000; ++i)
        producers.append(i % 2 ? u"Same"_qs : u"P"_qs + QString::number(i % 40));
    const QString page = u"<h4>Directors:</h4>"_qs + links + u"</div><h4>Writer:</h4>"_qs + links +
                         u"<h4>Creator:</h4>"_qs + links + producerTable(producers);
    switchOnOnly({prefs::creditsProducedBy});

    QElapsedTimer timer;
    timer.start();
    TitleRecord record;
    TitlePage titlePage = offlineTitlePage(page);
    details::addPrincipalCrew(titlePage, record);
    const qint64 elapsed = timer.elapsed();

    QVERIFY(record.text(recordkey::director).string().endsWith(u", Person 19999"_qs));
    QVERIFY(record.text(recordkey::creator).string().startsWith(u"Person 0, Person 1, "_qs));
    QCOMPARE(record.text(recordkey::producer).string().count(u", "_qs), 19);
    QVERIFY2(elapsed < 10000, qPrintable(QString::number(elapsed) + u" ms"_qs));
}

IMDB_TEST_MAIN(CrewTest)
#include "tst_crew.moc"
