// The text operations over any text and markers: no crash, and the searches behind them give
// the same answer with and without the page's search shadow, and the same as a plain search.

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzProcess.h"
#include "fuzz/ReferenceSearch.h"
#include "host/HtmlText.h"
#include "host/Text.h"
#include "platform/Cursor.h"
#include "platform/SearchShadow.h"
#include "platform/TextSearch.h"

namespace {

void checkSearches(const QString &text, const platform::SearchShadow &shadow, const QString &marker,
                   qsizetype from)
{
    const qsizetype exact = reference::find(text, marker, from, false);
    fuzzCheck(platform::findExact(text, marker, from) == exact, "findExact");
    fuzzCheck(platform::findExact(text, shadow, marker, from) == exact, "findExact with shadow");
    const qsizetype caseless = reference::find(text, marker, from, true);
    fuzzCheck(platform::findIgnoringCase(text, marker, from) == caseless, "findIgnoringCase");
    fuzzCheck(platform::findIgnoringCase(text, shadow, marker, from) == caseless,
              "findIgnoringCase with shadow");
}

bool trimmedOfWhiteSpace(const QString &text)
{
    return text.isEmpty() || (!platform::isWhiteSpaceOrNewline(text.front()) &&
                              !platform::isWhiteSpaceOrNewline(text.back()));
}

void runOperations(const Text &text, const QString &a, const QString &b, const QString &from)
{
    const Text between = text.stringBetween(a, b);
    fuzzCheck(between.isNull() == !text.contains(a), "stringBetween null only without start");
    const Text betweenFrom = text.stringBetween(a, b, from);
    if (!text.contains(from))
        fuzzCheck(betweenFrom.isNull(), "stringBetween null without from");
    const QStringList pieces = text.stringsBetween(a, b);
    qsizetype total = 0;
    for (const QString &piece : pieces)
        total += piece.size();
    fuzzCheck(total <= text.length(), "stringsBetween pieces lie within the text");
    const QStringList same = text.stringsBetween(a, a);
    fuzzCheck(same.size() <= text.length() + 1, "stringsBetween same marker count");

    const Text cleaned = text.stringByCleaningHTML();
    fuzzCheck(trimmedOfWhiteSpace(cleaned.string()), "cleaned text is trimmed");
    const Text oneLine = text.stringByRemovingNewLines();
    fuzzCheck(trimmedOfWhiteSpace(oneLine.string()), "one-line text is trimmed");
    fuzzCheck(!oneLine.contains(u"\n"), "one-line text has no line feed");
    fuzzCheck(cleaned.stringByRemovingNewLines().length() <= cleaned.length(),
              "removing line breaks never lengthens");

    fuzzCheck(text.cutBefore(a).length() <= text.length(), "cutBefore");
    const Text rest = text.after(a);
    fuzzCheck(rest.isNull() || rest.length() + a.size() <= text.length(), "after");
    // The rest only has to survive any text.
    (void)text.replacing(a, b);
    (void)text.hasPrefix(a);
    (void)text.hasSuffix(b);
    (void)text.intValue();
    (void)text.integerValue();
    (void)text.JSONValue();
    (void)text.lowercaseString().trimmed();
    (void)text.substringFromIndex(a.size() - 3).substringToIndex(b.size() - 3);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    const QString text = input.controlledText();
    const QString a = FuzzInput::marker(input.control(1), text);
    const QString b = FuzzInput::marker(input.control(2), text);
    const QString from = FuzzInput::marker(input.control(3), text);

    const platform::SearchShadow shadow(text);
    const qsizetype start = qsizetype(input.control(4)) * 97 % (text.size() + 3) - 1;
    for (const QString &marker : {a, b, from})
        checkSearches(text, shadow, marker, start);

    runOperations(Text(text), a, b, from);
    // The same over the text prepared for many searches (the shadow of a whole page).
    const Text prepared = Text(text).preparedForSearches();
    fuzzCheck(prepared.stringBetween(a, b) == Text(text).stringBetween(a, b),
              "stringBetween over a prepared text");
    fuzzCheck(prepared.stringsBetween(a, b) == Text(text).stringsBetween(a, b),
              "stringsBetween over a prepared text");
    // Character references at every '&' decode to something or to nothing, never past the end.
    for (qsizetype at = text.indexOf(u'&'); at >= 0; at = text.indexOf(u'&', at + 1)) {
        QString out;
        const qsizetype used = host::decodeCharacterReference(text, at, out);
        fuzzCheck(used >= 0 && at + used <= text.size(), "character reference length");
    }
    return 0;
}
