#pragma once

#include <QChar>
#include <QStringView>

// The searches of platform/TextSearch.h written the plainest way, one position after the
// other: what the vectorised searches must agree with.
namespace reference {

inline char16_t folded(char16_t c)
{
    return QChar(c).toCaseFolded().unicode();
}

inline qsizetype find(QStringView haystack, QStringView needle, qsizetype from, bool ignoreCase)
{
    if (from < 0)
        from = 0;
    if (needle.isEmpty())
        return from <= haystack.size() ? from : -1;
    for (qsizetype at = from; at + needle.size() <= haystack.size(); ++at) {
        qsizetype k = 0;
        for (; k < needle.size(); ++k) {
            const char16_t a = haystack[at + k].unicode();
            const char16_t b = needle[k].unicode();
            if (a != b && !(ignoreCase && folded(a) == folded(b)))
                break;
        }
        if (k == needle.size())
            return at;
    }
    return -1;
}

} // namespace reference
