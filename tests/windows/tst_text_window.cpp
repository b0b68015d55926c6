// The text window over saved and hand-made goofs, quotes, soundtrack and trivia pages served
// by the test site: the text and fonts a reader sees, the messages and a frame for each kind.

#include "platform/WindowFrames.h"
#include "tests/support/TestMain.h"
#include "tests/windows/SitePages.h"
#include "windows/BusyIndicator.h"
#include "windows/MyTextWindowController.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

namespace {

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

} // namespace

Q_DECLARE_METATYPE(Kind)

class TextWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void goofsShowUnderTheirCategoryHeadings();
    void quotesKeepSpeakersBoldAndDirectionsItalic();
    void soundtrackPages_data();
    void soundtrackPages();
    void triviaPage();
    void messages_data();
    void messages();
    void eachKindKeepsItsOwnFrame();
    void emptiedWindowShowsDuringTheFetch();
    void pageTextIsNeverMarkup();
    void hostilePages();

private:
    StyledText show(Kind kind, const QVariantMap &entryValues);
    TestHost m_host;
    TestSite m_site{testData(u""_qs)};
    MyTextWindowController m_window;
};

void TextWindowTest::initTestCase()
{
    m_site.addRoute(
        pageRoute(u"/title/tt0478970/goofs"_qs, u"goofs/ant-man-tt0478970-2017.html"_qs));
    m_site.addRoute(
        pageRoute(u"/title/tt0478970/quotes"_qs, u"quotes/ant-man-tt0478970-2017.html"_qs));
    m_site.addRoute(
        pageRoute(u"/title/tt0478970/trivia"_qs, u"trivia/ant-man-tt0478970-2017.html"_qs));
    m_site.addRoute(pageRoute(u"/title/tt0133093/soundtrack"_qs,
                              u"soundtrack/matrix-tt0133093-2014-06.html"_qs));
    m_site.addRoute(pageRoute(u"/title/tt0087544/soundtrack"_qs,
                              u"soundtrack/nausicaa-tt0087544-2014-06.html"_qs));
    QVERIFY(m_site.start());
    m_site.applyEnvironment();
}

StyledText TextWindowTest::show(Kind kind, const QVariantMap &entryValues)
{
    TestEntry entry(entryValues);
    m_host.select(&entry);
    (m_window.*kind)();
    m_host.select(nullptr);
    return m_window.content();
}

void TextWindowTest::goofsShowUnderTheirCategoryHeadings()
{
    const StyledText goofs =
        show(goofsKind, {{u"title"_qs, u"Ant-Man"_qs}, {u"imdb"_qs, u"0478970"_qs}});
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

void TextWindowTest::quotesKeepSpeakersBoldAndDirectionsItalic()
{
    const StyledText quotes =
        show(quotesKind, {{u"title"_qs, u"Ant-Man"_qs}, {u"imdb"_qs, u"0478970"_qs}});
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

void TextWindowTest::soundtrackPages_data()
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

void TextWindowTest::soundtrackPages()
{
    QFETCH(QString, number);
    QFETCH(QString, start);
    QFETCH(QString, contains);
    QFETCH(QString, end);
    QFETCH(int, paragraphs);
    const StyledText soundtrack =
        show(soundtrackKind, {{u"title"_qs, u"Film"_qs}, {u"imdb"_qs, number}});
    QCOMPARE(m_window.windowTitle(), u"Movie soundtrack for: Film"_qs);
    const QString &text = soundtrack.text();
    QVERIFY2(text.startsWith(start), qPrintable(text.left(400)));
    QVERIFY(text.contains(contains));
    QVERIFY(text.endsWith(end));
    QCOMPARE(text.count(u"\n\n"_qs), paragraphs);
    QCOMPARE(soundtrack.runs(), QList<StyledRun>({{0, text.size(), TextStyle::Regular}}));
}

void TextWindowTest::triviaPage()
{
    const StyledText trivia =
        show(triviaKind, {{u"title"_qs, u"Ant-Man"_qs}, {u"imdb"_qs, u"0478970"_qs}});
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

void TextWindowTest::messages_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QVariantMap>("entry");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    const struct
    {
        Kind kind;
        const char *name;
        QString lower;
        QString noPage;
    } kinds[] = {
        {goofsKind, "Goofs", u"goofs"_qs, u"No goofs."_qs},
        {quotesKind, "Quotes", u"quotes"_qs, u"No quotes available."_qs},
        {soundtrackKind, "SoundTrack", u"soundtrack"_qs, u"No soundtrack avaiable."_qs},
        {triviaKind, "Trivia", u"trivia"_qs, u"No trivia available."_qs},
    };
    for (const auto &k : kinds) {
        const QString name = QString::fromLatin1(k.name);
        QTest::addRow("%s, no selection", k.name)
            << k.kind << QVariantMap() << u"Movie "_qs + k.lower + u" for: "_qs
            << u"Please select a movie before running "_qs + name + u'.';
        QTest::addRow("%s, no number found", k.name)
            << k.kind << QVariantMap{{u"title"_qs, u"Nothing Like It"_qs}}
            << u"Movie "_qs + k.lower + u" for: Nothing Like It"_qs << u"No "_qs + name + u'.';
        QTest::addRow("%s, no page", k.name)
            << k.kind << QVariantMap{{u"title"_qs, u"Gone"_qs}, {u"imdb"_qs, u"404"_qs}}
            << u"Movie "_qs + k.lower + u" for: Gone"_qs << k.noPage;
        // Another kind's page holds none of the markers.
        QTest::addRow("%s, another page", k.name)
            << k.kind << QVariantMap{{u"imdb"_qs, u"9000001"_qs}}
            << u"Movie "_qs + k.lower + u" for: "_qs << k.noPage;
    }
}

void TextWindowTest::messages()
{
    QFETCH(Kind, kind);
    QFETCH(QVariantMap, entry);
    QFETCH(QString, title);
    QFETCH(QString, message);
    m_site.addRoute(
        pageRoute(u"/title/tt9000001/*"_qs, u"awards/die-hard-tt0095016-2014-11.html"_qs));
    if (entry.isEmpty())
        (m_window.*kind)();
    else
        show(kind, entry);
    QCOMPARE(m_window.windowTitle(), title);
    QCOMPARE(m_window.text(), message);
    QCOMPARE(m_window.content().runs(),
             QList<StyledRun>({{0, message.size(), TextStyle::Regular}}));
    QCOMPARE(fontAt(m_window.mainText(), 0), u"regular 14"_qs);
    QVERIFY(!isAnimating(m_window.busy()));
}

void TextWindowTest::eachKindKeepsItsOwnFrame()
{
    const QVariantMap antMan{{u"imdb"_qs, u"0478970"_qs}};
    show(goofsKind, antMan);
    QWidget *window = m_window.window();
    const std::tuple<Kind, QString, QSize> frames[] = {{goofsKind, u"GoofsPanel"_qs, {520, 410}},
                                                       {triviaKind, u"TriviaPanel"_qs, {380, 300}},
                                                       {quotesKind, u"QuotesPanel"_qs, {450, 330}}};
    for (const auto &[kind, name, size] : frames) {
        show(kind, antMan);
        QCOMPARE(platform::frameAutosaveName(window), name);
        // The window system's answer to a resize comes through the event loop.
        window->resize(size);
        QCoreApplication::processEvents();
    }
    // One window serves the kinds, each in its own frame kept in the host's settings.
    for (const auto &[kind, name, size] : frames) {
        show(kind, antMan);
        QCOMPARE(m_window.window(), window);
        QCOMPARE(window->size(), size);
        QVERIFY(QSettings().contains(platform::frameDefaultsKey(name)));
    }
    QVERIFY(!QSettings().contains(platform::frameDefaultsKey(u"SoundTrackPanel"_qs)));
}

void TextWindowTest::emptiedWindowShowsDuringTheFetch()
{
    show(goofsKind, {{u"imdb"_qs, u"0478970"_qs}});
    TestSite::Route slow =
        pageRoute(u"/title/tt9000003/trivia"_qs, u"trivia/ant-man-tt0478970-2017.html"_qs);
    slow.delayMs = 400;
    m_site.addRoute(slow);
    bool animating = false;
    bool visible = false;
    QString title;
    QString text = u"unread"_qs;
    QTimer::singleShot(150, this, [&] {
        animating = isAnimating(m_window.busy());
        visible = m_window.window()->isVisible();
        title = m_window.windowTitle();
        text = m_window.text();
    });
    show(triviaKind, {{u"title"_qs, u"Slow"_qs}, {u"imdb"_qs, u"9000003"_qs}});
    QVERIFY(animating);
    QVERIFY(visible);
    QCOMPARE(title, u"Movie trivia for: Slow"_qs);
    QCOMPARE(text, QString());
    QVERIFY(!isAnimating(m_window.busy()));
    QVERIFY(m_window.text().startsWith(u"Originally"_qs));
}

void TextWindowTest::pageTextIsNeverMarkup()
{
    m_site.addRoute(bodyRoute(u"/title/tt9000004/trivia"_qs,
                              "<div class=\"sodatext\">&lt;img src=x&gt; &lt;b&gt;[*]&lt;/b&gt; "
                              "<img src=\"y.png\"> end</div>"));
    const QString title = u"<img src=x> [*]"_qs;
    const StyledText trivia = show(triviaKind, {{u"imdb"_qs, u"9000004"_qs}, {u"title"_qs, title}});
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

void TextWindowTest::hostilePages()
{
    // Cut off inside the second goof: the first, then the rest of the page as the second.
    const QByteArray goofs = readTestData(u"goofs/ant-man-tt0478970-2017.html"_qs);
    m_site.addRoute(bodyRoute(u"/title/tt9000005/goofs"_qs,
                              goofs.left(goofs.indexOf("When Scott is tinkering") + 11)));
    const QString cut = show(goofsKind, {{u"imdb"_qs, u"9000005"_qs}}).text();
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
    const StyledText marked = show(quotesKind, {{u"imdb"_qs, u"9000007"_qs}});
    const QString separator = u"\n\n\t----------------------\n\n"_qs;
    QCOMPARE(marked.text().count(separator), 3);
    QVERIFY(marked.text().startsWith(u"NameName"_qs));
    QVERIFY(marked.text().contains(separator + u" left as it is "_qs + separator));
    QVERIFY(marked.text().endsWith(u"Ann: Hi [KAVOR_BOLD_END]"_qs + separator));
    QCOMPARE(runsOf(marked, TextStyle::Bold).size(), 1);
    QCOMPARE(show(triviaKind, {{u"imdb"_qs, u"9000008"_qs}}).text().count(u"\n\n"_qs), 30000);
    QVERIFY2(timer.elapsed() < 30000, qPrintable(QString::number(timer.elapsed())));
}

IMDB_TEST_MAIN(TextWindowTest)
#include "tst_text_window.moc"
