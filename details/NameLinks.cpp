#include "details/NameLinks.h"

#include "platform/Cursor.h"

namespace details {
namespace {

// Moves the scanner onto the ">" that closes the next person link's opening tag.
void scanToNextNameLink(platform::Cursor &scanner)
{
    scanner.scanUpTo(u"/name/nm");
    scanner.scanUpTo(u">");
}

// Moves the scanner onto the "\">" that ends the next person link's opening tag.
void scanToNextLegacyNameLink(platform::Cursor &scanner)
{
    scanner.scanUpTo(u"/name/nm");
    scanner.scanUpTo(u"\">");
}

} // namespace

Text nameLinkList(const Text &block)
{
    platform::Cursor scanner(block.string());
    scanToNextNameLink(scanner);
    if (scanner.atEnd())
        return QString();

    // Each pass starts on a link's ">" and ends on the next one, so it always moves on.
    QString list;
    while (true) {
        Text name = QString();
        if (std::optional<QString> captured = scanner.captureUpTo(u"</"))
            name = *captured;
        scanToNextNameLink(scanner);
        if (name.hasPrefix(u">"))
            name = name.substringFromIndex(1).stringByCleaningHTML();
        if (scanner.atEnd())
            return QString(list + name.string());
        list += name.string() + u", ";
    }
}

Text legacyNameList(const Text &block)
{
    platform::Cursor scanner(block.string());
    scanToNextLegacyNameLink(scanner);
    if (scanner.atEnd())
        return QString();

    // Each pass starts on a link's "\">" and captures past it, so the scanner always moves on.
    QString list;
    while (true) {
        Text name = QString();
        if (std::optional<QString> captured = scanner.captureUpTo(u"<"))
            name = *captured;
        scanToNextLegacyNameLink(scanner);
        if (name.hasPrefix(u"\">"))
            name = name.substringFromIndex(2);
        if (scanner.atEnd())
            return QString(list + name.string());
        list += name.string() + u", ";
    }
}

} // namespace details
