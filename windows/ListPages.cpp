// The two pages whose entries are plain paragraphs: the soundtrack and the trivia.

#include "windows/TextPages.h"

#include "host/Text.h"

namespace {

void appendParagraph(StyledText &text, const Text &entry)
{
    if (entry.isNotEmpty())
        text.append(entry.string() + u"\n\n", TextStyle::Regular);
}

} // namespace

StyledText soundtrackFromPage(const QString &page)
{
    StyledText soundtrack;
    const Text section = Text(page).stringBetween(u"\"soundtracks_content\"", u"\"see_also\"");
    for (const QString &entry : section.stringsBetween(u"<div", u"</div>")) {
        // An entry holds no "</div": its text is everything after the tag's end.
        const Text text = Text(entry).stringBetween(u">", u"</div");
        appendParagraph(soundtrack, text.replacing(u"<br />", u"").stringByCleaningHTML());
    }
    return soundtrack;
}

StyledText triviaFromPage(const QString &page)
{
    StyledText trivia;
    for (const QString &entry : Text(page).stringsBetween(u"sodatext\">", u"</div>"))
        appendParagraph(trivia, Text(entry).stringByCleaningHTML());
    return trivia;
}
