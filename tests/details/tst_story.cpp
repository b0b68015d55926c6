// Summary, structured keywords and tagline: each layout, the order of attempts, saved pages.

#include "details/Story.h"
#include "details/TitleRecord.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"
#include "tests/details/TitleTestPages.h"

class StoryTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void summary_data();
    void summary();
    void keywords_data();
    void keywords();
    void tagline_data();
    void tagline();
    void valuesAlreadyKnownAreKept();
    void savedPages_data();
    void savedPages();
};

namespace {

const QString storyline =
    u"<div class = \"article\" id=\"titleStoryLine\">\n<h2>Storyline</h2>\n<div class=\"inline "
    "canwrap\">\n<p>%1</p>\n</div>"_qs;
const QString plotSummary =
    u"<div data-testid=\"storyline-plot-summary\"><div class=\"c\"><div>%1<span "
    "style=\"display:inline-block\"> —<a href=\"/a\">author</a></span></div></div></div>"_qs;

QString storylineWith(const QString &paragraph)
{
    return storyline.arg(paragraph);
}

} // namespace

void StoryTest::cleanup()
{
    platform::UserDefaults::removeObject(prefs::additionalPlotKeywords);
}

void StoryTest::summary_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QVariant>("summary"); // invalid: absent

    QTest::newRow("storyline, author cut off")
        << storylineWith(u"Text.<em>x</em>"_qs) << QVariant(u"Text."_qs);
    QTest::newRow("storyline over lines")
        << storylineWith(u"\n <span>  Two  lines\n of text &amp; more.</span>\n <em "
                         "class=\"nobr\">Written by <a href=\"/a\">someone</a></em> "_qs)
        << QVariant(u"Two lines\nof text & more."_qs);
    QTest::newRow("structured description")
        << withStructuredData(u"{\"description\": \"Two men &amp; a prison.\"}"_qs)
        << QVariant(u"Two men & a prison."_qs);
    QTest::newRow("storyline before plot summary")
        << QString(storylineWith(u"Old."_qs) + plotSummary.arg(u"New."_qs)) << QVariant(u"Old."_qs);
    QTest::newRow("plot summary before description")
        << withStructuredData(u"{\"description\": \"Short.\"}"_qs, plotSummary.arg(u"Long."_qs))
        << QVariant(u"Long."_qs);
    // An empty storyline is stored, and so does not stop the next attempt.
    QTest::newRow("empty storyline, then description")
        << withStructuredData(u"{\"description\": \"Short.\"}"_qs, storylineWith(u"<em>x</em>"_qs))
        << QVariant(u"Short."_qs);
    QTest::newRow("storyline marker without its block")
        << withStructuredData(u"{\"description\": \"Short.\"}"_qs,
                              u"<div id=\"titleStoryLine\"><p>Lost</p></div>"_qs)
        << QVariant(u"Short."_qs);
    QTest::newRow("description of another type")
        << withStructuredData(u"{\"description\": 42}"_qs) << QVariant();
    QTest::newRow("nothing") << u"<p>Nothing here</p>"_qs << QVariant();
}

void StoryTest::summary()
{
    QFETCH(QString, html);
    QFETCH(QVariant, summary);
    TitlePage page = titlePageFromText(html);
    TitleRecord record;
    details::addStory(page, record);
    QCOMPARE(record.contains(recordkey::summary), summary.isValid());
    QCOMPARE(record.value(recordkey::summary), summary);
}

void StoryTest::keywords_data()
{
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("json");
    QTest::addColumn<QVariant>("tags"); // invalid: absent

    const QString keywords = u"{\"keywords\": \"prison,escape &amp; hope\"}"_qs;
    QTest::newRow("not asked for") << false << keywords << QVariant();
    // Taken as the structured data gives it, not cleaned.
    QTest::newRow("asked for") << true << keywords << QVariant(u"prison,escape &amp; hope"_qs);
    QTest::newRow("empty") << true << u"{\"keywords\": \"\"}"_qs << QVariant();
    QTest::newRow("a list is no text")
        << true << u"{\"keywords\": [\"a\", \"b\"]}"_qs << QVariant();
    QTest::newRow("no structured data") << true << u"not json"_qs << QVariant();
}

void StoryTest::keywords()
{
    QFETCH(bool, asked);
    QFETCH(QString, json);
    QFETCH(QVariant, tags);
    if (asked)
        platform::UserDefaults::setBool(prefs::additionalPlotKeywords, true);
    TitlePage page = titlePageFromText(withStructuredData(json));
    TitleRecord record;
    details::addStory(page, record);
    QCOMPARE(record.contains(recordkey::tags), tags.isValid());
    QCOMPARE(record.value(recordkey::tags), tags);
}

void StoryTest::tagline_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QVariant>("tagline"); // invalid: absent

    const QString labelled =
        u"<div class=\"txt-block\">\n<h4 class=\"inline\">Taglines:</h4>\n%1</div>"_qs;
    const QString list =
        u"<li data-testid=\"storyline-taglines\"><a href=\"/t\">Taglines</a><div><ul><li "
        "class=\"i\"><span class=\"t\">%1</span></li><li class=\"i\"><span>%2</span></li>"
        "</ul></div></li>"_qs;

    QTest::newRow("label in lower case")
        << u"<h4>taglines:</h4> Found all the same<br>"_qs << QVariant(u"Found all the same"_qs);
    QTest::newRow("labelled before the list")
        << QString(labelled.arg(u"Old"_qs) + list.arg(u"New"_qs, u"x"_qs)) << QVariant(u"Old"_qs);
    // The label with no text before the next tag gives an empty tagline; the list is then
    // tried.
    QTest::newRow("empty label, then list")
        << QString(labelled.arg(u"<span>x</span>"_qs) + list.arg(u"New"_qs, u"x"_qs))
        << QVariant(u"New"_qs);
    QTest::newRow("empty label alone") << labelled.arg(u"<span>x</span>"_qs) << QVariant(u""_qs);
    QTest::newRow("list without items")
        << u"<li data-testid=\"storyline-taglines\"><a>Taglines</a></div>"_qs << QVariant();
    QTest::newRow("nothing") << u"<p>Tagline: none</p>"_qs << QVariant();
}

void StoryTest::tagline()
{
    QFETCH(QString, html);
    QFETCH(QVariant, tagline);
    TitlePage page = titlePageFromText(html);
    page.scanner.setPosition(5);
    TitleRecord record;
    details::addStory(page, record);
    QCOMPARE(record.contains(recordkey::tagline), tagline.isValid());
    QCOMPARE(record.value(recordkey::tagline), tagline);
    QCOMPARE(page.scanner.position(), 0);
}

// The legacy parser runs first; what it found stays.
void StoryTest::valuesAlreadyKnownAreKept()
{
    platform::UserDefaults::setBool(prefs::additionalPlotKeywords, true);
    TitlePage page = titlePageFromText(
        withStructuredData(u"{\"description\": \"New.\", \"keywords\": \"new\"}"_qs,
                           u"<h4>Taglines:</h4> New tagline<br>"_qs));
    TitleRecord record;
    record.set(recordkey::summary, u"Old."_qs);
    record.set(recordkey::tags, u"old"_qs);
    record.set(recordkey::tagline, u"Old tagline"_qs);
    details::addStory(page, record);
    QCOMPARE(record.value(recordkey::summary), QVariant(u"Old."_qs));
    QCOMPARE(record.value(recordkey::tags), QVariant(u"old"_qs));
    QCOMPARE(record.value(recordkey::tagline), QVariant(u"Old tagline"_qs));
}

void StoryTest::savedPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QVariant>("summary");
    QTest::addColumn<QVariant>("tagline");
    QTest::addColumn<QVariant>("tags"); // with the keywords option on

    QTest::newRow("Star Wars 2022")
        << u"title-2020s/star-wars-tt0076759-2022-03.html"_qs
        << QVariant(u"The Imperial Forces, under orders from cruel Darth Vader, hold Princess Leia "
                    "hostage in their efforts to quell the rebellion against the Galactic Empire. "
                    "Luke Skywalker and Han Solo, captain of the Millennium Falcon, work together "
                    "with the companionable droid duo R2-D2 and C-3PO to rescue the beautiful "
                    "princess, help the Rebel Alliance and restore freedom and justice to the "
                    "Galaxy."_qs)
        << QVariant(u"It's Back! The Force will be with you for three weeks only. (1979 Reissue "
                    "Poster)"_qs)
        << QVariant(u"rebellion,galactic war,princess,lightsaber,space opera"_qs);
    QTest::newRow("Da Vinci Code 2022")
        << u"title-2020s/da-vinci-code-2022-03.html"_qs
        << QVariant(
               u"Dan Brown's controversial best-selling novel about a powerful secret that's been "
               "kept under wraps for thousands of years comes to the screen in this suspense "
               "thriller from Director Ron Howard. The stately silence of Paris' Louvre museum is "
               "broken when one of the gallery's leading curators is found dead on the grounds, "
               "with strange symbols carved into his body and left around the spot where he died. "
               "Hoping to learn the significance of the symbols, police bring in Sophie Neveu "
               "(Audrey Tautou), a gifted cryptographer who is also the victim's granddaughter. "
               "Needing help, Sophie calls on Robert Langdon (Tom Hanks), a leading symbologist "
               "from the United States. As Sophie and Robert dig deeper into the case, they "
               "discover the victim's involvement in the Priory of Sion, a secret society whose "
               "members have been privy to forbidden knowledge dating back to the birth of "
               "Christianity. In their search, Sophie and Robert happen upon evidence that could "
               "lead to the final resting place of the Holy Grail, while members of the priory "
               "and an underground Catholic society known as Opus Dei give chase, determined to "
               "prevent them from sharing their greatest secrets with the world."_qs)
        << QVariant(u"Seek The Truth"_qs)
        << QVariant(u"self flagellation,conspiracy,bare butt male,self punishment,bound and "
                    "gagged"_qs);
    const QVariant apes(
        u"Caesar and his apes are forced into a deadly conflict with an army of humans led by a "
        "ruthless Colonel. After the apes suffer unimaginable losses, Caesar wrestles with his "
        "darker instincts and begins his own mythic quest to avenge his kind. As the journey "
        "finally brings them face to face, Caesar and the Colonel are pitted against each other "
        "in an epic battle that will determine the fate of both their species and the future of "
        "the planet."_qs);
    const QVariant apesTagline(u"For freedom. For family. For the planet."_qs);
    const QVariant apesKeywords(u"ape,planet of the apes,slave labour,battle,journey"_qs);
    QTest::newRow("War for the Planet 2022")
        << u"title-2020s/war-for-the-planet-of-the-apes-2022-03.html"_qs << apes << apesTagline
        << apesKeywords;
    QTest::newRow("War for the Planet 2021")
        << u"title-2010s/war-for-the-planet-of-the-apes-2021-04.html"_qs << apes << apesTagline
        << apesKeywords;
    QTest::newRow("Shawshank 2018")
        << u"title-2010s/shawshank-redemption-tt0111161-2018-08.html"_qs
        << QVariant(u"Chronicles the experiences of a formerly successful banker as a prisoner in "
                    "the gloomy jailhouse of Shawshank after being found guilty of a crime he did "
                    "not commit. The film portrays the man's unique way of dealing with his new, "
                    "torturous life; along the way he befriends a number of fellow prisoners, "
                    "most notably a wise long-term inmate named Red."_qs)
        << QVariant(u"Fear can hold you prisoner. Hope can set you free."_qs)
        << QVariant(u"wrongful imprisonment,prison,escape from prison,prison cell search,"
                    "friendship between men"_qs);
    // No structured data on these pages, so no keywords.
    QTest::newRow("Matrix 2014")
        << u"title-2010s/matrix-tt0133093-2014-06.html"_qs
        << QVariant(u"Thomas A. Anderson is a man living two lives. By day he is an average "
                    "computer programmer and by night a hacker known as Neo. Neo has always "
                    "questioned his reality, but the truth is far beyond his imagination. Neo "
                    "finds himself targeted by the police when he is contacted by Morpheus, a "
                    "legendary computer hacker branded a terrorist by the government. Morpheus "
                    "awakens Neo to the real world, a ravaged wasteland where most of humanity "
                    "have been captured by a race of machines that live off of the humans' body "
                    "heat and electrochemical energy and who imprison their minds within an "
                    "artificial reality known as the Matrix. As a rebel against the machines, Neo "
                    "must return to the Matrix and confront the agents: super-powerful computer "
                    "programs devoted to snuffing out Neo and the entire human rebellion."_qs)
        << QVariant(u"Welcome to the Real World"_qs) << QVariant();
    QTest::newRow("Die Hard 2017")
        << u"title-2010s/die-hard-tt0095016-2017-03.html"_qs
        << QVariant(u"NYPD cop John McClane goes on a Christmas vacation to visit his wife Holly "
                    "in Los Angeles where she works for the Nakatomi Corporation. While they are "
                    "at the Nakatomi headquarters for a Christmas party, a group of bank robbers "
                    "led by Hans Gruber take control of the building and hold everyone hostage, "
                    "with the exception of John, while they plan to perform a lucrative heist. "
                    "Unable to escape and with no immediate police response, John is forced to "
                    "take matters into his own hands."_qs)
        << QVariant(u"He's the only chance anyone has got."_qs) << QVariant();
    QTest::newRow("Boys State 2020")
        << u"title-2010s/boys-state-2020-12.html"_qs
        << QVariant(u"A thousand 17-year-old boys from Texas join together to build a "
                    "representative government from the ground up."_qs)
        << QVariant() << QVariant(u"government,teenager"_qs);
}

void StoryTest::savedPages()
{
    QFETCH(QString, file);
    QFETCH(QVariant, summary);
    QFETCH(QVariant, tagline);
    QFETCH(QVariant, tags);
    platform::UserDefaults::setBool(prefs::additionalPlotKeywords, true);
    TitlePage page = savedTitlePage(file);
    TitleRecord record;
    details::addStory(page, record);
    QCOMPARE(record.value(recordkey::summary), summary);
    QCOMPARE(record.value(recordkey::tagline), tagline);
    QCOMPARE(record.value(recordkey::tags), tags);
}

IMDB_TEST_MAIN(StoryTest)
#include "tst_story.moc"
