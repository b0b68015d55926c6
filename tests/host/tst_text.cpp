// The framework's text operations: the marker rules every parser relies on, HTML cleaning,
// and what they do with hostile input.

#include "host/HtmlText.h"
#include "host/Text.h"
#include "tests/support/TestMain.h"

#include <QElapsedTimer>

class TextTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void stringBetweenFindsTheFirstPair();
    void stringBetweenWithoutEndMarkerTakesTheRest();
    void stringBetweenStartingFrom();
    void stringsBetweenPieces();
    void stringsBetweenWithOneMarkerAsBoth();
    void nullPropagates();
    void cleaningRemovesTags();
    void cleaningDecodesReferences_data();
    void cleaningDecodesReferences();
    void cleaningFoldsWhiteSpace();
    void removingNewLines();
    void jsonValue();
    void numbersAtTheStart();
    void hostileInputStaysLinear();
};

void TextTest::stringBetweenFindsTheFirstPair()
{
    const Text page(u"<b>one</b> <b>two</b>"_qs);
    QCOMPARE(page.stringBetween(u"<b>", u"</b>"), Text(u"one"_qs));
    // The end marker is searched after the start marker, not from the top.
    QCOMPARE(Text(u"x</b><b>y</b>"_qs).stringBetween(u"<b>", u"</b>"), Text(u"y"_qs));
    QVERIFY(page.stringBetween(u"<i>", u"</i>").isNull());
    // Markers found exactly, letter case included.
    QVERIFY(page.stringBetween(u"<B>", u"</b>").isNull());
    // Adjacent markers give an empty text, which is not null.
    QCOMPARE(Text(u"ab"_qs).stringBetween(u"a", u"b"), Text(QString()));
    QVERIFY(!Text(u"ab"_qs).stringBetween(u"a", u"b").isNull());
}

void TextTest::stringBetweenWithoutEndMarkerTakesTheRest()
{
    const Text page(u"head >Awards< all the rest"_qs);
    QCOMPARE(page.stringBetween(u">Awards<", u"ENBD&*"), Text(u" all the rest"_qs));
    QCOMPARE(page.stringBetween(u"rest", u"THEENDOFPAGE"), Text(QString()));
    // A start marker at the very end: the rest is empty.
    QCOMPARE(Text(u"abc"_qs).stringBetween(u"c", u"x"), Text(QString()));
}

void TextTest::stringBetweenStartingFrom()
{
    const Text page(u"<a>first</a> class=\"header\" <a>second</a>"_qs);
    QCOMPARE(page.stringBetween(u">", u"<", u"class=\"header\""), Text(u"second"_qs));
    QCOMPARE(page.stringBetween(u"<a>", u"</a>", u"class=\"header\""), Text(u"second"_qs));
    QVERIFY(page.stringBetween(u"<a>", u"</a>", u"missing").isNull());
    // The search starts at the occurrence of the third marker itself.
    QCOMPARE(Text(u"xx=tt_ov_rdat\">1994</a>"_qs).stringBetween(u"=tt", u"\"", u"=tt_ov"),
             Text(u"_ov_rdat"_qs));
}

void TextTest::stringsBetweenPieces()
{
    const Text list(u"<ul><li a>One</li><li b>Two</li><li c>Three</ul>"_qs);
    QCOMPARE(list.stringsBetween(u"<li ", u"</"),
             QStringList({u"a>One"_qs, u"b>Two"_qs, u"c>Three"_qs}));
    QCOMPARE(list.stringsBetween(u"<dt>", u"</dd>"), QStringList());
    // A piece without its end marker runs to the end of the text.
    QCOMPARE(Text(u"[a] [b"_qs).stringsBetween(u"[", u"]"), QStringList({u"a"_qs, u"b"_qs}));
    // Each start marker is searched from the previous end marker, so an end marker that
    // also begins a start marker is used by both.
    QCOMPARE(Text(u"<x>1<x>2<x>"_qs).stringsBetween(u"<x>", u"<x"),
             QStringList({u"1"_qs, u"2"_qs, QString()}));
}

void TextTest::stringsBetweenWithOneMarkerAsBoth()
{
    const Text block(u"head title_award_outcome\">Won</b> one title_award_outcome\">Nominated "
                     u"two"_qs);
    QCOMPARE(block.stringsBetween(u"title_award_outcome", u"title_award_outcome"),
             QStringList({u"\">Won</b> one "_qs, u"\">Nominated two"_qs}));
    // Overlapping occurrences of a marker with itself are taken left to right.
    QCOMPARE(Text(u"aaaa"_qs).stringsBetween(u"aa", u"aa"), QStringList({QString(), QString()}));
}

void TextTest::nullPropagates()
{
    const Text null;
    QVERIFY(null.stringBetween(u"a", u"b").isNull());
    QVERIFY(null.stringBetween(u"a", u"b", u"c").isNull());
    QVERIFY(null.stringByCleaningHTML().isNull());
    QVERIFY(null.stringByRemovingNewLines().isNull());
    QVERIFY(null.substringFromIndex(2).isNull());
    QVERIFY(null.replacing(u"a", u"b").isNull());
    QVERIFY(null.stringsBetween(u"a", u"b").isEmpty());
    QVERIFY(!null.isNotEmpty());
    QVERIFY(!null.contains(u""));
    QVERIFY(!null.hasPrefix(u""));
    QVERIFY(!null.isEqualToString(null));
    QCOMPARE(null.intValue(), 0);
    QVERIFY(!null.JSONValue().isValid());
    QVERIFY(!null.toVariant().isValid());
    QVERIFY(Text::fromVariant(QVariant(42)).isNull());
    QVERIFY(!Text(QString()).isNull());
    QVERIFY(!Text(QString()).isNotEmpty());
}

void TextTest::cleaningRemovesTags()
{
    QCOMPARE(host::cleanHtml(u"<a href=\"/name/nm1/\">Frank <b>Darabont</b></a>"),
             u"Frank Darabont"_qs);
    QCOMPARE(host::cleanHtml(u"<img alt=\"a > b\" src=x>Title"), u"Title"_qs);
    QCOMPARE(host::cleanHtml(u"a <!-- <b>hidden</b> --> b"), u"a b"_qs);
    QCOMPARE(host::cleanHtml(u"x<script>var s = '<b>';</script>y<style>p{}</style>z"), u"xyz"_qs);
    // A '<' that opens no tag is text; a tag cut off by the end is dropped.
    QCOMPARE(host::cleanHtml(u"1 < 2 and 3 <4"), u"1 < 2 and 3 <4"_qs);
    QCOMPARE(host::cleanHtml(u"Name<a href=\"/title"), u"Name"_qs);
    QCOMPARE(host::cleanHtml(u""), QString());
}

void TextTest::cleaningDecodesReferences_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("text");
    QTest::newRow("named") << u"Tom &amp; Jerry"_qs << u"Tom & Jerry"_qs;
    QTest::newRow("named, rare") << u"&Aopf;&twoheadrightarrow;"_qs << u"\U0001D538\u21A0"_qs;
    QTest::newRow("two code points") << u"&NotEqualTilde;"_qs << u"\u2242\u0338"_qs;
    QTest::newRow("legacy without semicolon")
        << u"caf&eacute &copy2023"_qs << u"caf\u00E9 \u00A92023"_qs;
    QTest::newRow("decimal") << u"&#34;Lost&#34;"_qs << u"\"Lost\""_qs;
    QTest::newRow("hex") << u"&#x22;The Big Bang Theory&#x22;"_qs << u"\"The Big Bang Theory\""_qs;
    QTest::newRow("hex, astral") << u"&#x1F3AC;"_qs << u"\U0001F3AC"_qs;
    QTest::newRow("windows-1252 range") << u"&#150;&#x92;"_qs << u"\u2013\u2019"_qs;
    QTest::newRow("zero and surrogate") << u"&#0;&#xD800;"_qs << u"\uFFFD\uFFFD"_qs;
    QTest::newRow("too large") << u"&#99999999999;"_qs << u"\uFFFD"_qs;
    QTest::newRow("unknown name") << u"&bogus; &"_qs << u"&bogus; &"_qs;
    QTest::newRow("no digits") << u"&#; &#x;"_qs << u"&#; &#x;"_qs;
    QTest::newRow("at the very end") << u"AT&"_qs << u"AT&"_qs;
    QTest::newRow("no-break space inside") << u"USA&nbsp;| UK"_qs << u"USA\u00A0| UK"_qs;
}

void TextTest::cleaningDecodesReferences()
{
    QFETCH(QString, html);
    QFETCH(QString, text);
    QCOMPARE(host::cleanHtml(html), text);
}

void TextTest::cleaningFoldsWhiteSpace()
{
    QCOMPARE(host::cleanHtml(u"\n   Frank   Darabont\n  "), u"Frank Darabont"_qs);
    QCOMPARE(host::cleanHtml(u"Won 1 Oscar, "), u"Won 1 Oscar,"_qs);
    QCOMPARE(host::cleanHtml(u"2.35 : 1 "), u"2.35 : 1"_qs);
    // Line breaks survive as one break; so do tags that break lines.
    QCOMPARE(host::cleanHtml(u"<span>Scott Lang</span>:\n   Wait!  </p><p>\nLuis:"),
             u"Scott Lang:\nWait!\nLuis:"_qs);
    QCOMPARE(host::cleanHtml(u"one<br/>two<br>three"), u"one\ntwo\nthree"_qs);
    QCOMPARE(host::cleanHtml(u"&nbsp;x&nbsp;"), u"x"_qs);
}

void TextTest::removingNewLines()
{
    QCOMPARE(Text(u"as Foo\n   (voice)"_qs).stringByRemovingNewLines(), Text(u"as Foo (voice)"_qs));
    QCOMPARE(Text(u"John\r\nSmith\n"_qs).stringByRemovingNewLines(), Text(u"John Smith"_qs));
    QCOMPARE(Text(u"a\u2028b"_qs).stringByRemovingNewLines(), Text(u"a b"_qs));
    QCOMPARE(Text(u"no breaks"_qs).stringByRemovingNewLines(), Text(u"no breaks"_qs));
}

void TextTest::jsonValue()
{
    const QVariant object =
        Text(u"{\"name\": \"Alien\", \"genre\": [\"Horror\", \"Sci-Fi\"]}"_qs).JSONValue();
    QCOMPARE(object.toMap().value(u"name"_qs).toString(), u"Alien"_qs);
    QCOMPARE(object.toMap().value(u"genre"_qs).toStringList(),
             QStringList({u"Horror"_qs, u"Sci-Fi"_qs}));
    QCOMPARE(Text(u"[1, 2]"_qs).JSONValue().toList().size(), 2);
    QVERIFY(!Text(u"{not json"_qs).JSONValue().isValid());
    // Nesting far beyond any real page is refused, not recursed into.
    const QString deep = QString(100000, u'[') + QString(100000, u']');
    QVERIFY(!Text(deep).JSONValue().isValid());
}

void TextTest::numbersAtTheStart()
{
    QCOMPARE(Text(u"  1994) (TV)"_qs).intValue(), 1994);
    QCOMPARE(Text(u"\n\t-42x"_qs).intValue(), -42);
    QCOMPARE(Text(u"+7"_qs).intValue(), 7);
    QCOMPARE(Text(u"tt0111161"_qs).intValue(), 0);
    QCOMPARE(Text(u"99999999999"_qs).intValue(), 2147483647);
    QCOMPARE(Text(u"99999999999"_qs).integerValue(), Q_INT64_C(99999999999));
    QCOMPARE(Text(u"-99999999999"_qs).intValue(), -2147483647 - 1);
    QCOMPARE(Text(u"8.1"_qs).intValue(), 8);
}

void TextTest::hostileInputStaysLinear()
{
    // 30 MB of markup made of markers that begin but never end.
    const QString huge = QString(u"<a href=\"/title/tt&amp<li x</\"/name/nm"_qs).repeated(900000);
    QVERIFY(huge.size() > 30'000'000);
    QElapsedTimer timer;
    timer.start();
    const Text text(huge);
    QCOMPARE(text.stringBetween(u"never", u"there"), Text());
    QVERIFY(text.stringBetween(u"<li ", u"</ul>").length() > 0);
    QCOMPARE(text.stringsBetween(u"<li ", u"</").size(), 900000);
    QVERIFY(!host::cleanHtml(huge).isNull());
    QVERIFY2(timer.elapsed() < timeLimitMs(10000), qPrintable(QString::number(timer.elapsed())));

    // Invalid UTF-8 read as Latin-1 is just text.
    const QByteArray bytes("\xff\xfe<b>\xc3(</b>\x80", 13);
    QCOMPARE(Text(QString::fromLatin1(bytes)).stringBetween(u"<b>", u"</b>"), Text(u"\u00C3("_qs));
    // A marker overlapping itself.
    QCOMPARE(Text(u"ababab"_qs).stringBetween(u"abab", u"ab"), Text(QString()));
}

IMDB_TEST_MAIN(TextTest)
#include "tst_text.moc"
