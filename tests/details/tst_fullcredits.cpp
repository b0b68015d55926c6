// The starring line and the full-credits page: its reading, saved pages, HTTPS and hostile pages.

#include "details/FullCredits.h"
#include "platform/WebView.h"
#include "tests/details/CreditsTestSupport.h"
#include "tests/support/TestSite.h"

#include <QElapsedTimer>

class FullCreditsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void starring_data();
    void starring();
    void pageIsReadOnlyWhenAskedFor_data();
    void pageIsReadOnlyWhenAskedFor();
    void castSection_data();
    void castSection();
    void crewLists_data();
    void crewLists();
    void savedPages_data();
    void savedPages();
    void savedPagesDepartments_data();
    void savedPagesDepartments();
    void requestOverHttps();
    void unreadablePagesAreSkipped_data();
    void unreadablePagesAreSkipped();
    void hostilePageInLinearTime();

private:
    TestHost m_host;
    TestSite m_site{testData(u""_qs)};
};

namespace {

const QString castOpening = u"<table class=\"cast_list\">"_qs;

QString castRow(const QString &name, const QString &role, int number = 1)
{
    const QString id = QString::number(number).rightJustified(7, u'0');
    return u"<tr class=\"odd\"><td class=\"primary_photo\"><a href=\"/name/nm"_qs + id +
           u"/\"><img title=\""_qs + name + u"\"/></a></td><td><a href=\"/name/nm"_qs + id +
           u"/\"> "_qs + name +
           u"\n</a></td><td class=\"ellipsis\">...</td><td "
           u"class=\"character\">"_qs +
           role + u"</td></tr>\n"_qs;
}

QString crewRow(const QString &name, int number = 1)
{
    return u"<tr><td class=\"name\"><a href=\"/name/nm"_qs +
           QString::number(number).rightJustified(7, u'0') + u"/?ref_=ttfc_fc_dr1\" > "_qs + name +
           u"\n</a></td><td>...</td><td class=\"credit\">(as someone)</td></tr>\n"_qs;
}

QString crewTable(const QString &heading, const QStringList &names)
{
    QString rows;
    for (int i = 0; i < names.size(); ++i)
        rows += crewRow(names.at(i), i + 1);
    return u"<h4 class=\"dataHeaderWithBorder\">"_qs + heading + u"&nbsp;</h4><table>"_qs + rows +
           u"</table>\n"_qs;
}

const QString titlePageDirector = u"Title Page Director"_qs;

using Positions = QMap<int, QString>;
using RoleCounts = QMap<QString, int>;
using FieldValues = QMap<QString, QString>;

// The record as the title-page steps leave it.
TitleRecord titlePageRecord(bool series = false)
{
    TitleRecord record = recordWithCredits({{recordkey::director, titlePageDirector},
                                            {recordkey::writer, u"Title Page Writer"_qs},
                                            {recordkey::producer, u"Title Page Producer"_qs}});
    if (series)
        record.set(recordkey::series, u"The Wire"_qs);
    return record;
}

// A full-credits page that gives something to every step.
QString fullCreditsPage()
{
    return castOpening + castRow(u"Cast One"_qs, u"Hero"_qs) + u"</table>"_qs +
           crewTable(u"Directed by"_qs, {u"Full Director"_qs}) +
           crewTable(u"Writing Credits"_qs, {u"Full Writer"_qs}) +
           crewTable(u"Produced by"_qs, {u"Full Producer"_qs}) +
           crewTable(u"Music by"_qs, {u"Full Composer"_qs});
}

QString withActors(const QString &actors)
{
    return u"<script type=\"application/ld+json\">{\"actor\":"_qs + actors + u"}</script>"_qs;
}

} // namespace

void FullCreditsTest::initTestCase()
{
    TestSite::Route matrix;
    matrix.target = u"/title/tt0133093/fullcredits"_qs;
    matrix.file = u"fullcredits/matrix-tt0133093-2014-06.html"_qs;
    m_site.addRoute(matrix);
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

void FullCreditsTest::init()
{
    switchOnOnly({});
    m_host.setCustomFields({});
}

void FullCreditsTest::starring_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("castOnTitlePage");
    QTest::addColumn<QString>("starring");

    QTest::newRow("actors in order, cleaned")
        << withActors(u"[{\"name\":\"Tim Robbins\"},{\"@type\":\"Person\"},{\"name\":\"Zo&#235; "
                      u"<b>Kravitz</b>\"},{\"name\":\"Bob Gunton\"}]"_qs)
        << false << u"Tim Robbins, Zoë Kravitz, Bob Gunton"_qs;
    QTest::newRow("a title page with cast gets no starring")
        << withActors(u"[{\"name\":\"Tim Robbins\"}]"_qs) << true << QString();
    QTest::newRow("a single actor object is no list")
        << withActors(u"{\"name\":\"Tim Robbins\"}"_qs) << false << QString();
    QTest::newRow("a name that is not a text")
        << withActors(u"[{\"name\":42},{\"name\":\"Bob Gunton\"}]"_qs) << false << u"Bob Gunton"_qs;
    QTest::newRow("an empty name leaves no empty place")
        << withActors(u"[{\"name\":\"\"},{\"name\":\"<i></i>\"},{\"name\":\"Bob Gunton\"}]"_qs)
        << false << u"Bob Gunton"_qs;
    QTest::newRow("no structured data") << u"<p>Stars: Tim Robbins</p>"_qs << false << QString();
}

void FullCreditsTest::starring()
{
    QFETCH(QString, page);
    QFETCH(bool, castOnTitlePage);
    QFETCH(QString, starring);
    TitleRecord record = recordWithCredits();
    if (castOnTitlePage)
        record.appendCredit(u"Tim Robbins"_qs, Text(u"Andy Dufresne"_qs));
    TitlePage titlePage = offlineTitlePage(page);
    details::addStarringAndFullCredits(titlePage, record);
    QCOMPARE(record.text(recordkey::starring).optional(),
             starring.isNull() ? std::nullopt : std::optional(starring));
}

void FullCreditsTest::pageIsReadOnlyWhenAskedFor_data()
{
    QTest::addColumn<QStringList>("switchedOn");
    QTest::addColumn<bool>("series");
    QTest::addColumn<bool>("fetched");
    QTest::addColumn<QStringList>("credits");
    QTest::addColumn<QString>("director");

    const QString full = u"Full Director"_qs;
    QTest::newRow("nothing asked for")
        << QStringList{} << false << false << QStringList{} << titlePageDirector;
    QTest::newRow("departments and actors without IMDBCredits")
        << QStringList{prefs::creditsActors, prefs::creditsMusic} << false << false << QStringList{}
        << titlePageDirector;
    QTest::newRow("IMDBCredits alone: crew lists only")
        << QStringList{prefs::credits} << false << true << QStringList{} << full;
    QTest::newRow("a series: crew lists even without IMDBCredits")
        << QStringList{} << true << true << QStringList{} << full;
    QTest::newRow("a series with actors on: the cast too")
        << QStringList{prefs::creditsActors} << true << true << QStringList{u"Cast One = Hero"_qs}
        << full;
    QTest::newRow("everything on")
        << QStringList{prefs::credits, prefs::creditsActors, prefs::creditsMusic} << false << true
        << QStringList{u"Cast One = Hero"_qs, u"Full Composer = Composer"_qs} << full;
}

void FullCreditsTest::pageIsReadOnlyWhenAskedFor()
{
    QFETCH(QStringList, switchedOn);
    QFETCH(bool, series);
    QFETCH(bool, fetched);
    QFETCH(QStringList, credits);
    QFETCH(QString, director);
    switchOnOnly(switchedOn);

    int loads = 0;
    TitlePage titlePage = offlineTitlePage(u"<html></html>"_qs);
    titlePage.setFullCreditsLoader([&loads](const QString &) {
        ++loads;
        return Text(fullCreditsPage());
    });
    TitleRecord record = titlePageRecord(series);
    details::addStarringAndFullCredits(titlePage, record);

    QCOMPARE(loads, fetched ? 1 : 0);
    QCOMPARE(describeCredits(record), credits);
    QCOMPARE(record.text(recordkey::director).string(), director);
    QCOMPARE(record.text(recordkey::writer).string(),
             fetched ? u"Full Writer"_qs : u"Title Page Writer"_qs);
    QCOMPARE(record.text(recordkey::producer).string(),
             fetched ? u"Full Producer"_qs : u"Title Page Producer"_qs);
}

void FullCreditsTest::castSection_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("credits");

    const QString one = castRow(u"Ann Lee"_qs, u"Mary"_qs);
    const QString two = castRow(u"Bo Ray"_qs, u"Guard"_qs, 2);
    const QString before = castRow(u"Not Cast"_qs, u"x"_qs, 9) + u"</table>"_qs;
    QTest::newRow("table class=cast") << before + u"<table class=\"cast\">"_qs + one + two +
                                             u"</table>"_qs + castRow(u"After"_qs, {})
                                      << QStringList{u"Ann Lee = Mary"_qs, u"Bo Ray = Guard"_qs};
    QTest::newRow("cast_list in another attribute order")
        << before + u"<table id=\"c\" class=\"cast_list\">"_qs + one + u"</table>"_qs
        << QStringList{u"Ann Lee = Mary"_qs};
    QTest::newRow("markers in capitals")
        << before + u"<TABLE CLASS=\"CAST_LIST\">"_qs + one + u"</TABLE>"_qs + two
        << QStringList{u"Ann Lee = Mary"_qs};
    QTest::newRow("Series Cast heading")
        << before + u"<h4>Series Cast</h4><table>"_qs + two + u"</table>"_qs
        << QStringList{u"Bo Ray = Guard"_qs};
    QTest::newRow("newer layout: the cast section up to its list end")
        << u"<div id=\"sub-section-cast\"><ul>"_qs + one + u"</ul></div>"_qs + two
        << QStringList{u"Ann Lee = Mary"_qs};
    QTest::newRow("cast table never closed: read to the end")
        << castOpening + one + two << QStringList{u"Ann Lee = Mary"_qs, u"Bo Ray = Guard"_qs};
    QTest::newRow("no cast table") << before << QStringList{};
}

void FullCreditsTest::castSection()
{
    QFETCH(QString, page);
    QFETCH(QStringList, credits);
    switchOnOnly({prefs::credits, prefs::creditsActors});
    TitlePage titlePage = offlineTitlePage(u"<html></html>"_qs, page);
    TitleRecord record = recordWithCredits();
    details::addStarringAndFullCredits(titlePage, record);
    QCOMPARE(describeCredits(record), credits);
}

void FullCreditsTest::crewLists_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("director");
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("producer");

    const QString keptDirector = titlePageDirector;
    const QString keptWriter = u"Title Page Writer"_qs;
    const QString keptProducer = u"Title Page Producer"_qs;

    QTest::newRow("older tables") << crewTable(u"Directed by"_qs,
                                               {u"Ann Lee"_qs, u"Bo &amp; Ray"_qs}) +
                                         crewTable(u"Writing Credits"_qs, {u"Cy Dale"_qs}) +
                                         crewTable(u"Produced by"_qs, {u"Di Fox"_qs, u"Ed Gray"_qs})
                                  << u"Ann Lee, Bo & Ray"_qs << u"Cy Dale"_qs
                                  << u"Di Fox, Ed Gray"_qs;
    QTest::newRow("the same person twice is listed once")
        << crewTable(u"Directed by"_qs, {u"Ann Lee"_qs, u"Bo Ray"_qs, u"Ann Lee"_qs})
        << u"Ann Lee, Bo Ray"_qs << keptWriter << keptProducer;
    QTest::newRow("series tables") << crewTable(u"Series Directed by"_qs, {u"Ann Lee"_qs}) +
                                          crewTable(u"Series Writing Credits"_qs, {u"Cy Dale"_qs}) +
                                          crewTable(u"Series Produced by"_qs, {u"Di Fox"_qs})
                                   << u"Ann Lee"_qs << u"Cy Dale"_qs << u"Di Fox"_qs;
    QTest::newRow("newer sections up to their list end")
        << u"<div id=\"sub-section-director\"><ul><li><a href=\"/name/nm1/\">Ann "
           u"Lee</a></li></ul></div><div id=\"sub-section-writer\"><ul><li><a "
           u"href=\"/name/nm2/\">Cy Dale</a></li></ul></div><div "
           u"id=\"sub-section-producer\"><ul><li><a href=\"/name/nm3/\">Di "
           u"Fox</a></li></ul></div><a href=\"/name/nm4/\">After</a>"_qs
        << u"Ann Lee"_qs << u"Cy Dale"_qs << u"Di Fox"_qs;
    // No limit here: twenty-five producers all stay.
    QStringList many;
    for (int i = 1; i <= 25; ++i)
        many.append(u"Producer "_qs + QString::number(i));
    QTest::newRow("no producer limit")
        << crewTable(u"Produced by"_qs, many) << keptDirector << keptWriter << many.join(u", ");
    QTest::newRow("a link wrapping its name in markup gives no empty place")
        << u"<h4>Directed by</h4><table><tr><td><a href=\"/name/nm1/\"><img "
           u"src=\"p.jpg\"></a></td><td><a href=\"/name/nm1/\">Ann Lee</a></td></tr><tr><td><a "
           u"href=\"/name/nm2/\"><span>Hidden</span></a></td></tr><tr><td><a "
           u"href=\"/name/nm3/\">Bo Ray</a></td></tr></table>"_qs
        << u"Ann Lee, Bo Ray"_qs << keptWriter << keptProducer;
    QTest::newRow("no sections keep the title page's values")
        << u"<h4>Cast</h4>"_qs << keptDirector << keptWriter << keptProducer;
    QTest::newRow("a section without names keeps the value")
        << u"<h4>Directed by</h4><table><tr><td>nobody</td></tr></table>"_qs << keptDirector
        << keptWriter << keptProducer;
}

void FullCreditsTest::crewLists()
{
    QFETCH(QString, page);
    QFETCH(QString, director);
    QFETCH(QString, writer);
    QFETCH(QString, producer);
    switchOnOnly({prefs::credits});
    TitlePage titlePage = offlineTitlePage(u"<html></html>"_qs, page);
    TitleRecord record = titlePageRecord();
    details::addStarringAndFullCredits(titlePage, record);
    QCOMPARE(record.text(recordkey::director).string(), director);
    QCOMPARE(record.text(recordkey::writer).string(), writer);
    QCOMPARE(record.text(recordkey::producer).string(), producer);
}

void FullCreditsTest::savedPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("castCount");
    QTest::addColumn<int>("castCountWithUncredited");
    // Position -> "name = role".
    QTest::addColumn<Positions>("castAt");
    QTest::addColumn<QString>("director");
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("producer");

    QTest::newRow("The Matrix")
        << u"fullcredits/matrix-tt0133093-2014-06.html"_qs << 36 << 37
        << Positions{{0, u"Keanu Reeves = Neo"_qs},
                     {1, u"Laurence Fishburne = Morpheus"_qs},
                     {2, u"Carrie-Anne Moss = Trinity"_qs},
                     {35, u"Nigel Harbach = Parking Cop"_qs}}
        << u"Andy Wachowski, Lana Wachowski"_qs << u"Andy Wachowski, Lana Wachowski"_qs
        << u"Bruce Berman, Dan Cracchiolo, Carol Hughes, Andrew Mason, Richard Mirisch, Barrie "
           u"M. Osborne, Joel Silver, Erwin Stoff, Andy Wachowski, Lana Wachowski"_qs;
    QTest::newRow("Waar") << u"fullcredits/waar-tt1821700-2014-01.html"_qs << 10 << 10
                          << Positions{{0, u"Shaan = Mujtaba"_qs},
                                       {1, u"Hamza Abbasi = Ehtesham"_qs},
                                       {2, u"Shamoon Abbasi = Ramal"_qs},
                                       {9, u"Uzma Khan = Mujtaba's Wife"_qs}}
                          << u"Bilal Lashari"_qs << u"Hassan Waqas Rana"_qs
                          << u"Jameel Ahmed, Hassan Waqas Rana"_qs;
    QTest::newRow("Ant-Man")
        << u"fullcredits/ant-man-tt0478970-2017.html"_qs << 65 << 162
        << Positions{{0, u"Paul Rudd = Scott Lang / Ant-Man"_qs},
                     {1, u"Michael Douglas = Dr. Hank Pym"_qs},
                     {2, u"Evangeline Lilly = Hope van Dyne"_qs},
                     {64, u"Erik Betts = Helicopter Pilot #2"_qs}}
        << u"Peyton Reed"_qs
        << u"Edgar Wright, Joe Cornish, Adam McKay, Paul Rudd, Stan Lee, Larry Lieber, Jack "
           u"Kirby"_qs
        << u"Victoria Alonso, Louis D'Esposito, Kevin Feige, Alan Fine, David J. Grant, Michael "
           u"Grillo, Stan Lee, Leo Thompson, Brad Winderbaum, Lars P. Winther, Edgar Wright"_qs;
    // Its character cells link to a page per character: the role is the link's text, and a
    // note after the link ("(as Melchior Beslon)") is not part of it.
    QTest::newRow("Paris, je t'aime")
        << u"fullcredits/paris-je-t-aime-tt0401711-2018-08.html"_qs << 82 << 85
        << Positions{{0, u"Fanny Ardant = Fanny (segment \"Pigalle\")"_qs},
                     {1, u"Julie Bataille = Julie (segment \"Tuileries\")"_qs},
                     {2, u"Leïla Bekhti = Zarka (segment \"Quais de Seine\")"_qs},
                     {3, u"Melchior Derouet = Thomas (segment \"Faubourg Saint-Denis\")"_qs},
                     {81, u"Karleen Weber = Voix-off professeur (segment \"14e "
                          u"Arrondissement\") (voice)"_qs}}
        << u"Olivier Assayas, Frédéric Auburtin, Emmanuel Benbihy, Gurinder Chadha, Sylvain "
           u"Chomet, Ethan Coen, Joel Coen, Isabel Coixet, Wes Craven, Alfonso Cuarón, Gérard "
           u"Depardieu, Christopher Doyle, Richard LaGravenese, Vincenzo Natali, Alexander Payne, "
           u"Bruno Podalydès, Walter Salles, Oliver Schmitz, Nobuhiro Suwa, Daniela Thomas, Tom "
           u"Tykwer, Gus Van Sant"_qs
        << u"Tristan Carné, Emmanuel Benbihy, Bruno Podalydès, Paul Mayeda Berges, Gurinder "
           u"Chadha, Gus Van Sant, Joel Coen, Ethan Coen, Walter Salles, Daniela Thomas, "
           u"Christopher Doyle, Rain Li, Gabrielle Keng, Isabel Coixet, Nobuhiro Suwa, Sylvain "
           u"Chomet, Alfonso Cuarón, Olivier Assayas, Oliver Schmitz, Richard LaGravenese, "
           u"Vincenzo Natali, Wes Craven, Tom Tykwer, Gena Rowlands, Alexander Payne, Nadine Eïd, "
           u"Frédéric Auburtin, Jean-Pierre Ronssin, Jane Hawksley, Vincent Poymiro"_qs
        << u"Matthias Batthyany, Emmanuel Benbihy, Chris Bolzli, Gilles Caussade, Rafi Chaudry, "
           u"Jenny Cohen, Nicholas Druz, Sam Englebardt, Klaus Flesch, Marie-Christine Gauchée, "
           u"Laurence Gouillart, Cordula Herrmann, Henri Jacob, Ara Katz, Yolanda Koullourenos, "
           u"Maria Köpf, Cécilia Mignon, Frank Moss, Geraldine Niche, Helen Olive, Claudie "
           u"Ossard, Stefan Piech, Chad Troutwine, Burkhard Von Schenk, Shaw-Lang Wang, Fred "
           u"Malek"_qs;
}

void FullCreditsTest::savedPages()
{
    QFETCH(QString, file);
    QFETCH(int, castCount);
    QFETCH(int, castCountWithUncredited);
    QFETCH(Positions, castAt);
    QFETCH(QString, director);
    QFETCH(QString, writer);
    QFETCH(QString, producer);

    switchOnOnly({prefs::credits, prefs::creditsActors});
    TitlePage titlePage = offlineTitlePage(u"<html></html>"_qs, savedPage(file));
    TitleRecord record = titlePageRecord();
    details::addStarringAndFullCredits(titlePage, record);

    const QStringList credits = describeCredits(record);
    QCOMPARE(credits.size(), castCount);
    for (auto it = castAt.cbegin(); it != castAt.cend(); ++it)
        QCOMPARE(credits.value(it.key()), it.value());
    QCOMPARE(record.text(recordkey::director).string(), director);
    QCOMPARE(record.text(recordkey::writer).string(), writer);
    QCOMPARE(record.text(recordkey::producer).string(), producer);

    switchOnOnly({prefs::credits, prefs::creditsActors, prefs::creditsUncredited});
    TitlePage again = offlineTitlePage(u"<html></html>"_qs, savedPage(file));
    TitleRecord withUncredited = recordWithCredits();
    details::addStarringAndFullCredits(again, withUncredited);
    QCOMPARE(withUncredited.credits().size(), castCountWithUncredited);
}

void FullCreditsTest::savedPagesDepartments_data()
{
    QTest::addColumn<QString>("file");
    // Department role -> its entries in the credits list, in order.
    QTest::addColumn<RoleCounts>("counts");
    QTest::addColumn<QStringList>("firstEntries");
    // Custom field key -> value; a null text: the field stays empty.
    QTest::addColumn<FieldValues>("fields");
    // The stunt people whose job is exactly "stunts": how many, the first, the last.
    QTest::addColumn<int>("stuntsCount");

    QTest::newRow("The Matrix") << u"fullcredits/matrix-tt0133093-2014-06.html"_qs
                                << RoleCounts{{u"Composer"_qs, 1},
                                              {u"Editor"_qs, 1},
                                              {u"Casting Director"_qs, 2},
                                              {u"Custome Designer"_qs, 1},
                                              {u"other"_qs, 11 + 8 + 43}}
                                << QStringList{u"Don Davis = Composer"_qs,
                                               u"Zach Staenberg = Editor"_qs,
                                               u"Mali Finn = Casting Director"_qs,
                                               u"Shauna Wolifson = Casting Director"_qs,
                                               u"Kym Barrett = Custome Designer"_qs,
                                               u"Rick Connelly = makeup special effects artist"_qs,
                                               u"Kathy Courtney = makeup artist: second unit"_qs}
                                << FieldValues{{u"composerField"_qs, u"Don Davis"_qs},
                                               {u"editorField"_qs, u"Zach Staenberg"_qs},
                                               {u"costumeField"_qs, u"Kym Barrett"_qs},
                                               {u"stuntsFirst"_qs,
                                                u"Ray Anthony, Greg Blandy, "_qs},
                                               {u"stuntsLast"_qs, u", Warwick Young"_qs}}
                                << 26;
    QTest::newRow("Waar") << u"fullcredits/waar-tt1821700-2014-01.html"_qs
                          << RoleCounts{{u"Editor"_qs, 1}, {u"other"_qs, 3 + 1 + 2}}
                          << QStringList{u"Bilal Lashari = Editor"_qs,
                                         u"Khawar Riaz = makeup artist"_qs,
                                         u"Shahjahan = special makeup effects artist"_qs}
                          << FieldValues{{u"composerField"_qs, QString()},
                                         {u"editorField"_qs, u"Bilal Lashari"_qs},
                                         {u"costumeField"_qs, QString()}}
                          << 0;
    QTest::newRow("Ant-Man")
        << u"fullcredits/ant-man-tt0478970-2017.html"_qs
        << RoleCounts{{u"Composer"_qs, 1},
                      {u"Editor"_qs, 2},
                      {u"Casting Director"_qs, 1},
                      {u"Custome Designer"_qs, 1},
                      {u"other"_qs, 25 + 15 + 133}}
        << QStringList{u"Christophe Beck = Composer"_qs,
                       u"Dan Lebental = Editor"_qs,
                       u"Colby Parker Jr. = Editor"_qs,
                       u"Sarah Finn = Casting Director"_qs,
                       u"Sammy Sheldon = Custome Designer"_qs,
                       u"Maurice Beaman = additional hair"_qs,
                       u"Brynn Berg = additional hair stylist"_qs}
        << FieldValues{{u"composerField"_qs, u"Christophe Beck"_qs},
                       {u"editorField"_qs, u"Dan Lebental, Colby Parker Jr."_qs},
                       {u"costumeField"_qs, u"Sammy Sheldon"_qs},
                       {u"stuntsFirst"_qs, u"Kevin Abercrombie, Chino Binamo, "_qs},
                       {u"stuntsLast"_qs, u", Shane Yan"_qs}}
        << 15;
    QTest::newRow("Paris, je t'aime")
        << u"fullcredits/paris-je-t-aime-tt0401711-2018-08.html"_qs
        << RoleCounts{{u"Composer"_qs, 5},
                      {u"Editor"_qs, 8},
                      {u"Casting Director"_qs, 1},
                      {u"Custome Designer"_qs, 2},
                      {u"other"_qs, 18 + 37 + 10}}
        << QStringList{u"Pierre Adenot = Composer"_qs}
        << FieldValues{{u"costumeField"_qs, u"Olivier Bériot, Pierre-Yves Gayraud"_qs},
                       {u"stuntsFirst"_qs, u"Jean-Jacques Desplanque, Eric Fournol, "
                                           u"David Genty, Dan Herzberg, Olivier "
                                           u"Schneider"_qs}}
        << 5;
}

void FullCreditsTest::savedPagesDepartments()
{
    QFETCH(QString, file);
    QFETCH(RoleCounts, counts);
    QFETCH(QStringList, firstEntries);
    QFETCH(FieldValues, fields);
    QFETCH(int, stuntsCount);

    switchOnOnly({prefs::credits, prefs::creditsMusic, prefs::creditsEditor, prefs::creditsCasting,
                  prefs::creditsCostume, prefs::creditsMakeUp, prefs::creditsAssistant,
                  prefs::creditsStunts});
    m_host.setCustomFields({{u"Composer"_qs, u"composerField"_qs},
                            {u"Editor"_qs, u"editorField"_qs},
                            {u"Custome Designer"_qs, u"costumeField"_qs},
                            {u"stunts"_qs, u"stuntsField"_qs}});
    TitlePage titlePage = offlineTitlePage(u"<html></html>"_qs, savedPage(file));
    TitleRecord record = recordWithCredits();
    details::addStarringAndFullCredits(titlePage, record);

    const QStringList credits = describeCredits(record);
    QCOMPARE(credits.mid(0, firstEntries.size()), firstEntries);
    RoleCounts found;
    for (const QVariant &entry : record.credits()) {
        const QString role = entry.toMap().value(u"role"_qs).toString();
        found[counts.contains(role) ? role : u"other"_qs] += 1;
    }
    QCOMPARE(found, counts);

    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        if (it.key() == u"stuntsFirst"_qs)
            QVERIFY(record.text(u"stuntsField"_qs).hasPrefix(it.value()));
        else if (it.key() == u"stuntsLast"_qs)
            QVERIFY(record.text(u"stuntsField"_qs).hasSuffix(it.value()));
        else
            QCOMPARE(record.text(it.key()).optional(),
                     it.value().isNull() ? std::nullopt : std::optional(it.value()));
    }
    const Text stunts = record.text(u"stuntsField"_qs);
    QCOMPARE(stunts.isNull() ? 0 : int(stunts.string().count(u", "_qs)) + 1, stuntsCount);
}

void FullCreditsTest::requestOverHttps()
{
    switchOnOnly({prefs::credits, prefs::creditsActors});
    m_site.clearRequests();
    TitlePage titlePage(u"<html></html>"_qs, u"0133093"_qs);
    TitleRecord record = titlePageRecord();
    details::addStarringAndFullCredits(titlePage, record);

    QCOMPARE(m_site.requestCount("/title/tt0133093/fullcredits"), 1);
    const TestSite::Request request = m_site.requests().constLast();
    QVERIFY(request.secure);
    QVERIFY(request.headers.value("user-agent") != platform::browserUserAgent());
    QCOMPARE(record.credits().size(), 36);
    QCOMPARE(record.text(recordkey::director).string(), u"Andy Wachowski, Lana Wachowski"_qs);

    // Not asked for: no request at all.
    switchOnOnly({});
    m_site.clearRequests();
    TitlePage notAsked(u"<html></html>"_qs, u"0133093"_qs);
    TitleRecord untouched = titlePageRecord();
    details::addStarringAndFullCredits(notAsked, untouched);
    QCOMPARE(m_site.requestCount("/title/tt0133093/fullcredits"), 0);
    QCOMPARE(untouched.text(recordkey::director).string(), titlePageDirector);
}

void FullCreditsTest::unreadablePagesAreSkipped_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("reset");
    QTest::addColumn<bool>("read");

    const QByteArray page = fullCreditsPage().toUtf8();
    QTest::newRow("a readable page (the control)") << page << false << true;
    QTest::newRow("connection reset mid-body") << page << true << false;
    QTest::newRow("not UTF-8") << QByteArray(page + "<p>caf\xe9</p>") << false << false;
    QTest::newRow("no body") << QByteArray() << false << false;
}

void FullCreditsTest::unreadablePagesAreSkipped()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, reset);
    QFETCH(bool, read);
    static int titleNumber = 1000000;
    const QString number = QString::number(++titleNumber);
    TestSite::Route route;
    route.target = u"/title/tt"_qs + number + u"/fullcredits"_qs;
    route.body = body;
    route.reset = reset;
    m_site.addRoute(route);

    switchOnOnly({prefs::credits, prefs::creditsActors, prefs::creditsMusic});
    m_site.clearRequests();
    TitlePage titlePage(u"<html></html>"_qs, number);
    TitleRecord record = titlePageRecord();
    details::addStarringAndFullCredits(titlePage, record);

    QCOMPARE(m_site.requestCount(route.target.toUtf8()), 1);
    QCOMPARE(record.text(recordkey::director).string(),
             read ? u"Full Director"_qs : titlePageDirector);
    QCOMPARE(record.credits().size(), read ? 2 : 0);
}

void FullCreditsTest::hostilePageInLinearTime()
{
    // 5 000 cast rows, half of them without a name, roles over several lines, a cast table
    // that runs on into the directors' (its own end is missing), and a stunts table, in both
    // layouts, never closed.
    QString page = castOpening;
    for (int i = 0; i < 5000; ++i) {
        if (i % 2)
            page +=
                u"<tr><td><a href=\"/name/nm1/\"></a></td><td class=\"character\">x</td></tr>"_qs;
        else
            page += castRow(u"Actor "_qs + QString::number(i), u"Role\n  \n  (voice)"_qs, i);
    }
    page += u"<h4>Directed by</h4><table>"_qs;
    for (int i = 0; i < 5000; ++i)
        page += crewRow(u"Director "_qs + QString::number(i % 100), i);
    page += u"</table>"_qs;
    page += u"<div id=\"sub-section-stunts\"><ul><h4>Stunts</h4><table>"_qs;
    for (int i = 0; i < 5000; ++i)
        page += u"<tr><td><a href=\"/name/nm1/\">Stunt "_qs + QString::number(i) +
                u"</a></td><td>stunts\n  (uncredited)</td></tr>"_qs;

    QStringList everything = prefs::panelKeys();
    everything.append(prefs::credits);
    everything.removeOne(prefs::creditsUncredited);
    switchOnOnly(everything);
    m_host.setCustomFields({{u"stunts (uncredited)"_qs, u"stuntsField"_qs}});

    QElapsedTimer timer;
    timer.start();
    TitlePage titlePage = offlineTitlePage(u"<html></html>"_qs, page);
    TitleRecord record = recordWithCredits();
    details::addStarringAndFullCredits(titlePage, record);
    const qint64 elapsed = timer.elapsed();

    const QStringList credits = describeCredits(record);
    QVERIFY(credits.size() >= 2500);
    QCOMPARE(credits.first(), u"Actor 0 = Role (voice)"_qs);
    QCOMPARE(credits.value(2499), u"Actor 4998 = Role (voice)"_qs);
    QCOMPARE(record.text(recordkey::director).string().count(u", "_qs), 99);
    QVERIFY(record.text(u"stuntsField"_qs).hasSuffix(u", Stunt 4999"));
    QVERIFY2(elapsed < 20000, qPrintable(QString::number(elapsed) + u" ms"_qs));
}

IMDB_TEST_MAIN(FullCreditsTest)
#include "tst_fullcredits.moc"
