// Production details: older labelled sections, newer lists, the "Color" field, saved pages.

#include "details/Production.h"
#include "details/TitleRecord.h"
#include "tests/details/TitleTestPages.h"

class ProductionTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void fields_data();
    void fields();
    void colour_data();
    void colour();
    void valuesAlreadyKnownAreKept();
    void savedPages_data();
    void savedPages();

private:
    TestHost m_host;
};

namespace {

QString section(const QString &label, const QString &content)
{
    return u"<div class=\"txt-block\">\n<h4 class=\"inline\">"_qs + label + u"</h4>\n"_qs +
           content + u"\n</div>\n"_qs;
}

QString list(const QString &testId, const QStringList &items)
{
    QString html = u"<li data-testid=\""_qs + testId +
                   u"\"><span class=\"l\">Label</span><div class=\"c\"><ul class=\"u\">"_qs;
    for (const QString &item : items)
        html +=
            u"<li role=\"presentation\" class=\"i\"><a href=\"/x\">"_qs + item + u"</a></li>"_qs;
    return html + u"</ul></div></li>"_qs;
}

const QString companies =
    u"<h3>Company Credits</h3>\n<div class=\"txt-block\"><h4>Production Co:</h4>\n<a "
    "href=\"/company/co1?ref_=x\"\n>Castle Rock Entertainment</a>, <a href=\"/company/co2\">Second "
    "Co</a></div>\n"_qs;

} // namespace

void ProductionTest::init()
{
    m_host.setCustomFields({});
}

void ProductionTest::fields_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value"); // invalid: absent

    // The page breaks the line between the links; the items must not run together.
    QTest::newRow("country over lines")
        << section(u"Country:"_qs,
                   u"<a href=\"/c/us\">USA</a>\r\n<span class=\"ghost\">|</span>\r\n<a "
                   "href=\"/c/au\">Australia</a>"_qs)
        << recordkey::country << QVariant(u"USA, Australia"_qs);
    // The scan stops at the label in any letter case, but the section counts only when it is
    // spelt exactly; the list is read instead.
    QTest::newRow("country label in lower case")
        << QString(u"<h4>country:</h4> Nowhere</div>"_qs +
                   list(u"title-details-origin"_qs, {u"United States"_qs}))
        << recordkey::country << QVariant(u"United States"_qs);
    QTest::newRow("country section before list")
        << QString(section(u"Country:"_qs, u"<a>USA</a>"_qs) +
                   list(u"title-details-origin"_qs, {u"France"_qs}))
        << recordkey::country << QVariant(u"USA"_qs);
    // Without a list end the first search takes the rest of the page.
    QTest::newRow("languages without a list end")
        << u"<li data-testid=\"title-details-languages\"><div><li class=\"i\">English</li><li "
           "class=\"i\">Hindi</li></div>"_qs
        << recordkey::languages << QVariant(u"English, Hindi"_qs);
    // An empty list before the block's end: the second search takes the block up to "</div>".
    QTest::newRow("languages after an empty list")
        << u"<div data-testid=\"title-details-languages\"></ul><li class=\"i\">English</li></div>"
           "<li class=\"i\">Later</li>"_qs
        << recordkey::languages << QVariant(u"English"_qs);
    QTest::newRow("no languages section in the older layout")
        << section(u"Language:"_qs, u"<a>English</a>"_qs) << recordkey::languages << QVariant();
    // The scanner goes on from the country: a company section before it is not seen, and the
    // list is read instead.
    QTest::newRow("studio before the country")
        << QString(companies + section(u"Country:"_qs, u"<a>USA</a>"_qs) +
                   list(u"title-details-companies"_qs, {u"Lucasfilm"_qs}))
        << recordkey::studio << QVariant(u"Lucasfilm"_qs);
    QTest::newRow("sound") << section(u"Sound Mix:"_qs,
                                      u"<a href=\"/s\"\n>Dolby Digital</a>\n<span>|</span> <a "
                                      "href=\"/t\">SDDS</a>"_qs)
                           << recordkey::sound << QVariant(u"Dolby Digital"_qs);
    // A failed section rewinds the scanner, so the next one is searched from the top.
    QTest::newRow("sound after a missing studio") << section(u"Sound Mix:"_qs, u"<a>Stereo</a>"_qs)
                                                  << recordkey::sound << QVariant(u"Stereo"_qs);
    QTest::newRow("sound before the studio")
        << QString(section(u"Sound Mix:"_qs, u"<a>Stereo</a>"_qs) + companies) << recordkey::sound
        << QVariant();
    // "2.35 : 1 <a href=...>(more)</a>": the link is no part of the ratio.
    QTest::newRow("aspect ratio") << section(u"Aspect Ratio:"_qs,
                                             u" 2.35 : 1 <a href=\"/t\">(more)</a>"_qs)
                                  << recordkey::aspectRatio << QVariant(u"2.35 : 1"_qs);
    QTest::newRow("nothing") << u"<p>Country: USA</p>"_qs << recordkey::country << QVariant();
}

void ProductionTest::fields()
{
    QFETCH(QString, html);
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    TitlePage page = titlePageFromText(html, &m_host);
    TitleRecord record;
    details::addProductionDetails(page, record);
    QCOMPARE(record.contains(key), value.isValid());
    QCOMPARE(record.value(key), value);
}

void ProductionTest::colour_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("catalogueHasColor");
    QTest::addColumn<QVariant>("colour"); // in the "Color" field; invalid: absent

    const QString colourList =
        list(u"title-techspec_color"_qs, {u"Black and White"_qs, u"Color"_qs});
    // Whatever the field held is replaced.
    QTest::newRow("with the field") << colourList << true << QVariant(u"Black and White"_qs);
    QTest::newRow("without the field") << colourList << false << QVariant();
    QTest::newRow("no colour on the page")
        << section(u"Color:"_qs, u"<a>Color</a>"_qs) << true << QVariant(u"Earlier"_qs);
}

void ProductionTest::colour()
{
    QFETCH(QString, html);
    QFETCH(bool, catalogueHasColor);
    QFETCH(QVariant, colour);
    if (catalogueHasColor)
        m_host.setCustomFields({{u"Color"_qs, u"colourKey"_qs}});
    TitlePage page = titlePageFromText(html, &m_host);
    TitleRecord record;
    record.set(u"colourKey"_qs, u"Earlier"_qs);
    details::addProductionDetails(page, record);
    if (!catalogueHasColor) {
        // Nothing goes under a key the catalogue did not give.
        QCOMPARE(record.value(u"colourKey"_qs), QVariant(u"Earlier"_qs));
        QCOMPARE(record.values().size(), 1);
        return;
    }
    QCOMPARE(record.value(u"colourKey"_qs), colour);
}

// The legacy parser runs first; what it found stays.
void ProductionTest::valuesAlreadyKnownAreKept()
{
    TitlePage page =
        titlePageFromText(QString(section(u"Country:"_qs, u"<a>USA</a>"_qs) + companies +
                                  list(u"title-details-languages"_qs, {u"English"_qs}) +
                                  section(u"Sound Mix:"_qs, u"<a>Stereo</a>"_qs) +
                                  section(u"Aspect Ratio:"_qs, u"1.85 : 1"_qs)),
                          &m_host);
    TitleRecord record;
    const QStringList keys = {recordkey::country, recordkey::languages, recordkey::studio,
                              recordkey::sound, recordkey::aspectRatio};
    for (const QString &key : keys)
        record.set(key, u"old "_qs + key);
    details::addProductionDetails(page, record);
    for (const QString &key : keys)
        QCOMPARE(record.value(key), QVariant(u"old "_qs + key));
}

void ProductionTest::savedPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QVariant>("country");
    QTest::addColumn<QVariant>("languages");
    QTest::addColumn<QVariant>("studio");
    QTest::addColumn<QVariant>("sound");
    QTest::addColumn<QVariant>("colour");
    QTest::addColumn<QVariant>("aspectRatio");

    const QVariant none;
    const QVariant unitedStates(u"United States"_qs);
    const QVariant colour(u"Color"_qs);
    QTest::newRow("Star Wars 2022")
        << u"title-2020s/star-wars-tt0076759-2022-03.html"_qs << unitedStates
        << QVariant(u"English"_qs) << QVariant(u"Lucasfilm, Twentieth Century Fox"_qs) << none
        << none << none;
    QTest::newRow("Da Vinci Code 2022")
        << u"title-2020s/da-vinci-code-2022-03.html"_qs
        << QVariant(u"United States, Malta, France, United Kingdom"_qs)
        << QVariant(u"English, French, Latin, Spanish"_qs)
        << QVariant(u"Columbia Pictures, Imagine Entertainment, Skylark Productions"_qs)
        << QVariant(u"Dolby Digital"_qs) << colour << QVariant(u"2.39 : 1"_qs);
    QTest::newRow("War for the Planet 2022")
        << u"title-2020s/war-for-the-planet-of-the-apes-2022-03.html"_qs << unitedStates
        << QVariant(u"English, American Sign Language"_qs)
        << QVariant(u"Twentieth Century Fox, Chernin Entertainment, TSG Entertainment"_qs)
        << QVariant(u"Dolby Atmos"_qs) << colour << QVariant(u"2.39 : 1"_qs);
    QTest::newRow("Archer 2022")
        << u"title-2020s/archer-tt1486217-series-2022.html"_qs << unitedStates
        << QVariant(u"English"_qs)
        << QVariant(u"Floyd County Productions, FX Productions, Fox Television Animation"_qs)
        << QVariant(u"Stereo"_qs) << colour << QVariant(u"1.78 : 1"_qs);
    // The older layout: no languages (only the newer layout's list is read) and no colour
    // (the colour comes from the newer layout's technical list alone).
    QTest::newRow("Shawshank 2018")
        << u"title-2010s/shawshank-redemption-tt0111161-2018-08.html"_qs << QVariant(u"USA"_qs)
        << none << QVariant(u"Castle Rock Entertainment"_qs) << QVariant(u"Dolby Digital"_qs)
        << none << QVariant(u"1.85 : 1"_qs);
    QTest::newRow("Matrix 2014") << u"title-2010s/matrix-tt0133093-2014-06.html"_qs
                                 << QVariant(u"USA, Australia"_qs) << none
                                 << QVariant(u"Warner Bros."_qs) << QVariant(u"DTS"_qs) << none
                                 << QVariant(u"2.35 : 1"_qs);
    QTest::newRow("Die Hard 2017")
        << u"title-2010s/die-hard-tt0095016-2017-03.html"_qs << QVariant(u"USA"_qs) << none
        << QVariant(u"Twentieth Century Fox Film Corporation"_qs) << QVariant(u"70 mm 6-Track"_qs)
        << none << QVariant(u"2.35 : 1"_qs);
    QTest::newRow("War for the Planet 2021")
        << u"title-2010s/war-for-the-planet-of-the-apes-2021-04.html"_qs
        << QVariant(u"USA, Canada, New Zealand"_qs) << none << QVariant(u"Twentieth Century Fox"_qs)
        << QVariant(u"Dolby Atmos"_qs) << none << QVariant(u"2.39 : 1"_qs);
    // No sound mix: the failed search rewinds, and the aspect ratio is still found.
    QTest::newRow("Boys State 2020")
        << u"title-2010s/boys-state-2020-12.html"_qs << QVariant(u"USA"_qs) << none
        << QVariant(u"Concordia Studio"_qs) << none << none << QVariant(u"2.39 : 1"_qs);
    QTest::newRow("Crociati 2014") << u"title-2010s/crociati-tt0284717-tvmovie-2014-06.html"_qs
                                   << QVariant(u"Italy, Germany"_qs) << none
                                   << QVariant(u"Lux Vide"_qs) << none << none << none;
}

void ProductionTest::savedPages()
{
    QFETCH(QString, file);
    QFETCH(QVariant, country);
    QFETCH(QVariant, languages);
    QFETCH(QVariant, studio);
    QFETCH(QVariant, sound);
    QFETCH(QVariant, colour);
    QFETCH(QVariant, aspectRatio);
    m_host.setCustomFields({{u"Color"_qs, u"colourKey"_qs}});
    TitlePage page = savedTitlePage(file, &m_host);
    TitleRecord record;
    details::addProductionDetails(page, record);
    QCOMPARE(record.value(recordkey::country), country);
    QCOMPARE(record.value(recordkey::languages), languages);
    QCOMPARE(record.value(recordkey::studio), studio);
    QCOMPARE(record.value(recordkey::sound), sound);
    QCOMPARE(record.value(u"colourKey"_qs), colour);
    QCOMPARE(record.value(recordkey::aspectRatio), aspectRatio);
}

IMDB_TEST_MAIN(ProductionTest)
#include "tst_production.moc"
