// The awards line: the older blurb, the newer awards row, and saved pages.

#include "details/Awards.h"
#include "details/TitleRecord.h"
#include "tests/details/TitleTestPages.h"

class AwardsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void awards_data();
    void awards();
    void awardsAlreadyKnownAreKept();
    void savedPages_data();
    void savedPages();
};

void AwardsTest::awards_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QVariant>("awards"); // invalid: absent

    const QString blurb = u"<span class=\"awards-blurb\">%1</span>"_qs;
    const QString row =
        u"<li class=\"x\" data-testid=\"award_information\"><a class=\"l\" href=\"/awards\">%1</a>"
        "<div class=\"c\"><ul class=\"u\"><li role=\"presentation\" class=\"i\"><span "
        "class=\"t\">%2</span></li></ul></div></li>"_qs;

    QTest::newRow("sentences over lines")
        << blurb.arg(u"\n        <b>\n            Nominated for\n            7\n            "
                     "Oscars.\n        </b>\n"_qs)
        << QVariant(u"Nominated for 7 Oscars"_qs);
    QTest::newRow("entities and bars") << blurb.arg(u"Another | 19 wins &amp; 32 nominations."_qs)
                                       << QVariant(u"Another 19 wins & 32 nominations"_qs);
    QTest::newRow("two sentences") << blurb.arg(u"Won 2 Oscars. Another 5 wins."_qs)
                                   << QVariant(u"Won 2 Oscars, Another 5 wins"_qs);
    // An empty blurb is stored, and the awards row is tried next.
    QTest::newRow("empty blurb, no row") << blurb.arg(u"<b> </b>"_qs) << QVariant(u""_qs);
    QTest::newRow("empty blurb, then row")
        << QString(blurb.arg(u"<b></b>"_qs) +
                   row.arg(u"Won 7 Oscars"_qs, u"63 wins &amp; 29 nominations"_qs))
        << QVariant(u"63 wins & 29 nominations, Won 7 Oscars"_qs);
    QTest::newRow("blurb before row")
        << QString(blurb.arg(u"Won 1 Oscar."_qs) + row.arg(u"Won 7 Oscars"_qs, u"63 wins"_qs))
        << QVariant(u"Won 1 Oscar"_qs);
    // The prize is added only to a first line that says something.
    QTest::newRow("row without a first line")
        << row.arg(u"Won 7 Oscars"_qs, u""_qs) << QVariant(u""_qs);
    QTest::newRow("row without items")
        << u"<li data-testid=\"award_information\"><a href=\"/a\">Won 7 Oscars</a></div>"_qs
        << QVariant();
    QTest::newRow("nothing") << u"<p>No prizes</p>"_qs << QVariant();
}

void AwardsTest::awards()
{
    QFETCH(QString, html);
    QFETCH(QVariant, awards);
    TitlePage page = titlePageFromText(html);
    TitleRecord record;
    details::addAwards(page, record);
    QCOMPARE(record.contains(recordkey::awards), awards.isValid());
    QCOMPARE(record.value(recordkey::awards), awards);
}

void AwardsTest::awardsAlreadyKnownAreKept()
{
    TitlePage page = titlePageFromText(u"<span class=\"awards-blurb\">Won 1 Oscar.</span>"_qs);
    TitleRecord record;
    record.set(recordkey::awards, u"Won 4 Oscars"_qs);
    details::addAwards(page, record);
    QCOMPARE(record.value(recordkey::awards), QVariant(u"Won 4 Oscars"_qs));
}

void AwardsTest::savedPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QVariant>("awards"); // invalid: absent

    // The awards row: its first list item, then its label when that names a prize.
    QTest::newRow("Star Wars 2022") << u"title-2020s/star-wars-tt0076759-2022-03.html"_qs
                                    << QVariant(u"63 wins & 29 nominations total, Won 7 Oscars"_qs);
    QTest::newRow("Da Vinci Code 2022")
        << u"title-2020s/da-vinci-code-2022-03.html"_qs << QVariant(u"8 wins & 21 nominations"_qs);
    QTest::newRow("War for the Planet 2022")
        << u"title-2020s/war-for-the-planet-of-the-apes-2022-03.html"_qs
        << QVariant(u"28 wins & 66 nominations total, Nominated for 1 Oscar"_qs);
    QTest::newRow("Archer 2022")
        << u"title-2020s/archer-tt1486217-series-2022.html"_qs
        << QVariant(u"15 wins & 67 nominations total, Won 3 Primetime Emmys"_qs);
    // The first awards blurb only.
    QTest::newRow("Shawshank 2018") << u"title-2010s/shawshank-redemption-tt0111161-2018-08.html"_qs
                                    << QVariant(u"Nominated for 7 Oscars"_qs);
    QTest::newRow("War for the Planet 2021")
        << u"title-2010s/war-for-the-planet-of-the-apes-2021-04.html"_qs
        << QVariant(u"Nominated for 1 Oscar"_qs);
    QTest::newRow("Boys State 2020")
        << u"title-2010s/boys-state-2020-12.html"_qs << QVariant(u"6 wins & 9 nominations"_qs);
    // These pages carry neither a blurb nor an awards row.
    QTest::newRow("Matrix 2014") << u"title-2010s/matrix-tt0133093-2014-06.html"_qs << QVariant();
    QTest::newRow("Die Hard 2017")
        << u"title-2010s/die-hard-tt0095016-2017-03.html"_qs << QVariant();
}

void AwardsTest::savedPages()
{
    QFETCH(QString, file);
    QFETCH(QVariant, awards);
    TitlePage page = savedTitlePage(file);
    TitleRecord record;
    details::addAwards(page, record);
    QCOMPARE(record.value(recordkey::awards), awards);
}

IMDB_TEST_MAIN(AwardsTest)
#include "tst_awards.moc"
