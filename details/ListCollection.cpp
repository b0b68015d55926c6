#include "details/ListCollection.h"

namespace details {

Text listCollection(const Text &block)
{
    QString joined;
    for (const QString &item : block.stringsBetween(u"<li ", u"</")) {
        // The item no longer holds its "</", so this is the rest of the item after its first
        // ">": the item's text with whatever inner tags it has.
        Text text = Text(item).stringBetween(u">", u"</").stringByCleaningHTML();
        if (text.isNull())
            continue;
        if (text.hasSuffix(u", "))
            text = text.substringToIndex(text.length() - 2);
        // A separator only between texts, so that empty items leave no stray ", ".
        if (!joined.isEmpty() && text.isNotEmpty())
            joined += u", ";
        joined += text.string();
    }
    if (joined.isEmpty())
        return {};
    return joined;
}

Text joinedPipeList(const Text &cleaned)
{
    return cleaned.replacing(u"\r", u"").stringByRemovingNewLines().replacing(u" | ", u", ");
}

} // namespace details
