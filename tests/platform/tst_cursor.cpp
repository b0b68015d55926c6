// The scanner rules page walks rely on, and the searches under them.

#include "platform/Cursor.h"
#include "platform/NumberReading.h"
#include "platform/SearchShadow.h"
#include "platform/TextEncoding.h"
#include "platform/TextSearch.h"
#include "tests/support/TestMain.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

using namespace platform;

class CursorTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scanSkipsWhiteSpaceAndStopsAtTheMarker();
    void scanIgnoresLetterCase();
    void captureYieldsNothingWhenNothingWasPassed();
    void missingMarkerGoesToTheEnd();
    void advanceNeverPassesTheEnd();
    void atEndIgnoresTrailingWhiteSpace();
    void searchesAgreeWithAPlainSearch();
    void caseInsensitiveSearchFoldsBeyondAscii();
    void firstWholeNumber();
    void percentEscaping();
    void precomposition();
    void hugeTextsStayFast();
};

void CursorTest::scanSkipsWhiteSpaceAndStopsAtTheMarker()
{
    Cursor cursor(u"  \n\t<a href=\"/title/tt0111161/\">Title</a>"_qs);
    QVERIFY(cursor.scanUpTo(u"/title/tt"));
    QCOMPARE(cursor.position(), 13);
    cursor.advance(9);
    QCOMPARE(cursor.captureUpTo(u"/"), std::optional<QString>(u"0111161"_qs));
    // The marker is not consumed: the cursor stands on it.
    QCOMPARE(cursor.text().mid(cursor.position(), 2), u"/\""_qs);
    // The captured text begins after the skipped white space.
    Cursor spaced(u" \u00A0\u2003 Name</a>"_qs);
    QCOMPARE(spaced.captureUpTo(u"</"), std::optional<QString>(u"Name"_qs));
}

void CursorTest::scanIgnoresLetterCase()
{
    Cursor cursor(u"xx <DIV ID=\"Keywords_Content\"><table>"_qs);
    QVERIFY(cursor.scanUpTo(u"<div id=\"keywords_content"));
    QCOMPARE(cursor.position(), 3);
    QCOMPARE(cursor.captureUpTo(u"<TABLE"),
             std::optional<QString>(u"<DIV ID=\"Keywords_Content\">"_qs));
}

void CursorTest::captureYieldsNothingWhenNothingWasPassed()
{
    Cursor cursor(u"   </td>rest"_qs);
    // Only white space lies before the marker: nothing is captured...
    QCOMPARE(cursor.captureUpTo(u"</td>"), std::nullopt);
    // ...and the cursor still stands at the marker.
    QCOMPARE(cursor.position(), 3);
    QVERIFY(!cursor.scanUpTo(u"</td>"));
    QCOMPARE(cursor.position(), 3);
}

void CursorTest::missingMarkerGoesToTheEnd()
{
    Cursor cursor(u"abc  def"_qs);
    QCOMPARE(cursor.captureUpTo(u"zzz"), std::optional<QString>(u"abc  def"_qs));
    QCOMPARE(cursor.position(), 8);
    QVERIFY(cursor.atEnd());
    QCOMPARE(cursor.captureUpTo(u"zzz"), std::nullopt);
    cursor.rewind();
    QCOMPARE(cursor.position(), 0);
}

void CursorTest::advanceNeverPassesTheEnd()
{
    Cursor cursor(u"short"_qs);
    cursor.advance(3);
    QCOMPARE(cursor.position(), 3);
    cursor.advance(100);
    QCOMPARE(cursor.position(), 5);
    cursor.advance(-4);
    QCOMPARE(cursor.position(), 5);
    QCOMPARE(cursor.captureUpTo(u"x"), std::nullopt);
}

void CursorTest::atEndIgnoresTrailingWhiteSpace()
{
    Cursor cursor(u"word \n\u00A0\u2028 "_qs);
    QVERIFY(!cursor.atEnd());
    cursor.advance(4);
    QVERIFY(cursor.atEnd());
    QVERIFY(Cursor().atEnd());
}

void CursorTest::searchesAgreeWithAPlainSearch()
{
    // Random texts over a small alphabet, so that near misses are common, some long enough
    // for both SIMD widths and the tails; needles taken from the text and made up. The
    // alphabet holds characters whose shadow byte is not their own: Latin-1, KELVIN SIGN and
    // LONG S (which fold to k and s), CJK above U+8000 (whose byte is 0) and a NUL.
    QRandomGenerator random(20261206);
    const QString alphabet = u"aAbBkKsSt<>=\"/ \u00E9\u00C9\u212A\u017F\u5343\u0000-"_qs;
    for (int round = 0; round < 4000; ++round) {
        QString text;
        const int length = int(random.bounded(round % 2 ? 60 : 300));
        for (int i = 0; i < length; ++i)
            text.append(alphabet.at(random.bounded(alphabet.size())));
        QString needle;
        if (length > 8 && random.bounded(3)) {
            const int at = int(random.bounded(length - 4));
            needle = text.mid(at, 1 + int(random.bounded(qMin(12, length - at))));
        } else {
            for (int i = 0, n = 1 + int(random.bounded(6)); i < n; ++i)
                needle.append(alphabet.at(random.bounded(alphabet.size())));
        }
        const int from = int(random.bounded(length + 2)) - 1;
        const qsizetype exact = text.indexOf(needle, qMax(from, 0));
        const qsizetype folded = text.toCaseFolded().indexOf(needle.toCaseFolded(), qMax(from, 0));
        QCOMPARE(findExact(text, needle, from), exact);
        QCOMPARE(findIgnoringCase(text, needle, from), folded);
        const SearchShadow shadow(text);
        QCOMPARE(findExact(text, shadow, needle, from), exact);
        QCOMPARE(findIgnoringCase(text, shadow, needle, from), folded);
        // The shadow remembers answers: searches from other starts, before and after the
        // first, are not answered wrongly by it.
        for (int again : {int(random.bounded(length + 2)) - 1, int(qMax(exact, folded)) + 1}) {
            QCOMPARE(findExact(text, shadow, needle, again), text.indexOf(needle, qMax(again, 0)));
            QCOMPARE(findIgnoringCase(text, shadow, needle, again),
                     text.toCaseFolded().indexOf(needle.toCaseFolded(), qMax(again, 0)));
        }
    }
    QCOMPARE(findExact(u"abc", u"", 1), 1);
    QCOMPARE(findExact(u"abc", u"abcd", 0), -1);
    QCOMPARE(findIgnoringCase(u"abc", u"C", 5), -1);
    // The cursor over a prepared text finds what it finds over the plain one.
    const QString page = QString(u"x"_qs).repeated(100000) + u"<DIV ID=\"Keywords_Content\">"_qs;
    Cursor prepared(page, SearchShadow::makeFor(page));
    QVERIFY(prepared.scanUpTo(u"<div id=\"keywords_content"));
    QCOMPARE(prepared.position(), 100000);
}

void CursorTest::caseInsensitiveSearchFoldsBeyondAscii()
{
    // KELVIN SIGN folds to k, LONG S to s: a case-insensitive comparison finds them.
    QCOMPARE(findIgnoringCase(u"xx\u212Aeywords", u"keywords"), 2);
    QCOMPARE(findIgnoringCase(u"cla\u017F\u017F", u"class"), 0);
    QCOMPARE(findIgnoringCase(u"CAF\u00C9", u"caf\u00E9"), 0);
    QCOMPARE(findExact(u"CAF\u00C9", u"caf\u00E9"), -1);
}

void CursorTest::firstWholeNumber()
{
    QCOMPARE(platform::firstWholeNumber(u"USA:142 min"), std::optional<qint64>(142));
    QCOMPARE(platform::firstWholeNumber(u"-20 min"), std::optional<qint64>(20));
    QCOMPARE(platform::firstWholeNumber(u"no digits"), std::nullopt);
}

void CursorTest::percentEscaping()
{
    QCOMPARE(percentEscaped(u"Alien "), u"Alien%20"_qs);
    QCOMPARE(percentEscaped(u"Tom & Jerry+1", u"&+"), u"Tom%20%26%20Jerry%2B1"_qs);
    QCOMPARE(percentEscaped(u"a+b&c=d/e?f:g@h!$'()*,;-._~"), u"a+b&c=d/e?f:g@h!$'()*,;-._~"_qs);
    QCOMPARE(percentEscaped(u"100% \"#<>[]{}|\\^`"),
             u"100%25%20%22%23%3C%3E%5B%5D%7B%7D%7C%5C%5E%60"_qs);
    QCOMPARE(percentEscaped(u"Am\u00E9lie \u5343"), u"Am%C3%A9lie%20%E5%8D%83"_qs);
}

void CursorTest::precomposition()
{
    QCOMPARE(precomposed(u"Ame\u0301lie"_qs), u"Am\u00E9lie"_qs);
    QCOMPARE(decodeUtf8(QByteArray("\xc3\xa9")), std::optional<QString>(u"\u00E9"_qs));
    QCOMPARE(decodeUtf8(QByteArray("\xc3(")), std::nullopt);
    QCOMPARE(decodeUtf8OrLatin1(QByteArray("\xe9t\xe9")), u"\u00E9t\u00E9"_qs);
}

void CursorTest::hugeTextsStayFast()
{
    // A marker that never occurs in 30 MB, and one at the very end.
    QString text = QString(u"<div class=\"a\">x</div>\n"_qs).repeated(1'400'000);
    text += u"<MARK>"_qs;
    QElapsedTimer timer;
    timer.start();
    Cursor cursor(text);
    QVERIFY(cursor.scanUpTo(u"<mark>"));
    QCOMPARE(cursor.position(), text.size() - 6);
    cursor.rewind();
    QCOMPARE(cursor.captureUpTo(u"never there")->size(), text.size());
    QCOMPARE(findExact(text, u"<MARK>"), text.size() - 6);
    QVERIFY2(timer.elapsed() < timeLimitMs(2000), qPrintable(QString::number(timer.elapsed())));
}

IMDB_TEST_MAIN(CursorTest)
#include "tst_cursor.moc"
