#include "windows/TextPages.h"

#include "host/Text.h"
#include "platform/Cursor.h"

using platform::Cursor;

std::optional<StyledText> goofsFromPage(const QString &page)
{
    if (!page.contains(u"class=\"soda"))
        return std::nullopt;

    StyledText goofs;
    Cursor cursor(page);
    cursor.scanUpTo(u"class=\"list");
    if (cursor.atEnd())
        return goofs;

    // A category heading stays in force for the goofs after it until another one comes.
    Text heading;
    do {
        const Text leadIn = cursor.captureUpTo(u"class=\"soda");
        cursor.scanUpTo(u">");
        Text entry = cursor.captureUpTo(u"<span");
        if (entry.hasPrefix(u">"))
            entry = entry.substringFromIndex(1);

        const Text groupHeading = leadIn.stringBetween(u"li_group\">", u"<").stringByCleaningHTML();
        Text candidate = heading;
        if (entry.contains(u"inline\">")) {
            candidate = entry.stringBetween(u"inline\">", u"</").stringByCleaningHTML();
            if (entry.contains(u"</h4>"))
                entry = entry.substringFromIndex(entry.indexOf(u"</h4>"));
        }
        heading = groupHeading.isNull() ? candidate : groupHeading;

        if (!entry.isNull()) {
            if (!heading.isNull())
                goofs.append(heading.string(), TextStyle::Heading);
            goofs.append(u' ' + entry.stringByCleaningHTML().string() + u"\n\n",
                         TextStyle::Regular);
        }
    } while (!cursor.atEnd());
    return goofs;
}
