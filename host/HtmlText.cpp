#include "host/HtmlText.h"

#include "platform/Cursor.h"
#include "platform/TextSearch.h"

#include <algorithm>
#include <cstring>

namespace host {
namespace {

struct NamedReference
{
    const char *name;
    char32_t first;
    char32_t second;
};

constexpr NamedReference namedReferences[] = {
#include "host/HtmlEntityTable.inc"
};
constexpr qsizetype longestName = 33;

bool isAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isAsciiAlphanumeric(char16_t c)
{
    return isAsciiLetter(c) || isAsciiDigit(c);
}

bool isHtmlSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x0B || c == 0x0C || c == 0x85 || c == 0x2028 ||
           c == 0x2029;
}

const NamedReference *findNamed(const char *name)
{
    const auto *begin = std::begin(namedReferences);
    const auto *end = std::end(namedReferences);
    const auto *it = std::lower_bound(begin, end, name, [](const NamedReference &r, const char *n) {
        return std::strcmp(r.name, n) < 0;
    });
    return (it != end && std::strcmp(it->name, name) == 0) ? it : nullptr;
}

void appendCodePoint(QString &out, char32_t c)
{
    if (c >= 0x10000) {
        out.append(QChar::highSurrogate(c));
        out.append(QChar::lowSurrogate(c));
    } else {
        out.append(QChar(char16_t(c)));
    }
}

// Numeric references to the C1 range mean the windows-1252 characters there.
char32_t windows1252(char32_t c)
{
    static constexpr char16_t table[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    return (c >= 0x80 && c <= 0x9F) ? table[c - 0x80] : c;
}

qsizetype decodeNumeric(QStringView text, qsizetype at, QString &out)
{
    // text[at] == '&', text[at + 1] == '#'
    qsizetype i = at + 2;
    const bool hex = i < text.size() && (text[i] == u'x' || text[i] == u'X');
    if (hex)
        ++i;
    const qsizetype digitsStart = i;
    char32_t value = 0;
    bool tooLarge = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int digit;
        if (isAsciiDigit(c))
            digit = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            break;
        if (!tooLarge) {
            value = value * (hex ? 16 : 10) + char32_t(digit);
            tooLarge = value > 0x10FFFF;
        }
    }
    if (i == digitsStart)
        return 0;
    if (i < text.size() && text[i] == u';')
        ++i;
    if (tooLarge || value == 0 || (value >= 0xD800 && value <= 0xDFFF))
        value = 0xFFFD;
    appendCodePoint(out, windows1252(value));
    return i - at;
}

qsizetype decodeNamed(QStringView text, qsizetype at, QString &out)
{
    char name[longestName + 2];
    qsizetype length = 0;
    for (qsizetype i = at + 1; i < text.size() && length < longestName; ++i) {
        const char16_t c = text[i].unicode();
        if (!isAsciiAlphanumeric(c))
            break;
        name[length++] = char(c);
    }
    if (length == 0)
        return 0;
    // With its semicolon, the whole name must match.
    if (at + 1 + length < text.size() && text[at + 1 + length] == u';') {
        name[length] = ';';
        name[length + 1] = '\0';
        if (const NamedReference *ref = findNamed(name)) {
            appendCodePoint(out, ref->first);
            if (ref->second)
                appendCodePoint(out, ref->second);
            return length + 2;
        }
    }
    // Without it, the longest legacy name that begins the run.
    for (qsizetype n = length; n > 0; --n) {
        name[n] = '\0';
        if (const NamedReference *ref = findNamed(name)) {
            appendCodePoint(out, ref->first);
            if (ref->second)
                appendCodePoint(out, ref->second);
            return n + 1;
        }
    }
    return 0;
}

bool tagBreaksLines(QStringView name)
{
    static constexpr QStringView breaking[] = {
        u"br", u"p",  u"div", u"li",    u"tr",         u"ul",      u"ol",
        u"dl", u"dt", u"dd",  u"table", u"h1",         u"h2",      u"h3",
        u"h4", u"h5", u"h6",  u"hr",    u"blockquote", u"section", u"article"};
    for (QStringView b : breaking) {
        if (name.compare(b, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Collects the output with HTML white-space folding: pending white space is written only
// before the next visible character, so nothing is left at either end.
class Output
{
public:
    enum Gap {
        None,
        Space,
        LineBreak
    };

    void gap(Gap g) { m_gap = std::max(m_gap, g); }
    void flushGap()
    {
        if (m_gap != None && !m_text.isEmpty())
            m_text.append(m_gap == LineBreak ? u'\n' : u' ');
        m_gap = None;
    }
    void append(QChar c)
    {
        flushGap();
        m_text.append(c);
    }
    QString &beginAppend()
    {
        flushGap();
        return m_text;
    }
    QString take()
    {
        // References may have produced white space at the ends (&nbsp;); trim it too.
        qsizetype end = m_text.size();
        while (end > 0 && platform::isWhiteSpaceOrNewline(m_text[end - 1]))
            --end;
        qsizetype start = 0;
        while (start < end && platform::isWhiteSpaceOrNewline(m_text[start]))
            ++start;
        if (start == 0 && end == m_text.size())
            return std::move(m_text);
        return m_text.mid(start, end - start);
    }
    void reserve(qsizetype n) { m_text.reserve(n); }

private:
    QString m_text;
    Gap m_gap = None;
};

// Skips a markup construct that starts at `at` (a '<'). Returns the index after it, or -1
// when no construct starts there. Sets `name` to the tag's name (empty for comments and
// declarations) and `closing` for an end tag.
qsizetype skipMarkup(QStringView html, qsizetype at, QStringView &name, bool &closing)
{
    const qsizetype size = html.size();
    name = {};
    closing = false;
    if (at + 1 >= size)
        return -1;
    const char16_t next = html[at + 1].unicode();
    if (next == u'!') {
        if (html.mid(at).startsWith(u"<!--")) {
            const qsizetype end = platform::findExact(html, u"-->", at + 4);
            return end < 0 ? size : end + 3;
        }
        const qsizetype end = platform::findExact(html, u">", at + 2);
        return end < 0 ? size : end + 1;
    }
    if (next == u'?') {
        const qsizetype end = platform::findExact(html, u">", at + 2);
        return end < 0 ? size : end + 1;
    }
    qsizetype nameStart = at + 1;
    if (next == u'/') {
        closing = true;
        ++nameStart;
    }
    if (nameStart >= size || !isAsciiLetter(html[nameStart].unicode()))
        return -1;
    qsizetype nameEnd = nameStart;
    while (nameEnd < size && isAsciiAlphanumeric(html[nameEnd].unicode()))
        ++nameEnd;
    name = html.mid(nameStart, nameEnd - nameStart);
    // Attribute values may hold '>' inside quotes.
    char16_t quote = 0;
    for (qsizetype i = nameEnd; i < size; ++i) {
        const char16_t c = html[i].unicode();
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == u'"' || c == u'\'') {
            // Only a quote that opens an attribute value counts: one right after '='.
            qsizetype k = i - 1;
            while (k > nameEnd && isHtmlSpace(html[k].unicode()))
                --k;
            if (html[k] == u'=')
                quote = c;
        } else if (c == u'>') {
            return i + 1;
        }
    }
    return size;
}

} // namespace

qsizetype decodeCharacterReference(QStringView text, qsizetype at, QString &out)
{
    if (at + 1 >= text.size() || text[at] != u'&')
        return 0;
    if (text[at + 1] == u'#')
        return decodeNumeric(text, at, out);
    return decodeNamed(text, at, out);
}

QString cleanHtml(QStringView html)
{
    Output out;
    out.reserve(html.size());
    const qsizetype size = html.size();
    qsizetype i = 0;
    while (i < size) {
        const char16_t c = html[i].unicode();
        if (c == u'<') {
            QStringView name;
            bool closing = false;
            const qsizetype after = skipMarkup(html, i, name, closing);
            if (after < 0) {
                out.append(QChar(c));
                ++i;
                continue;
            }
            i = after;
            if (tagBreaksLines(name))
                out.gap(Output::LineBreak);
            if (!closing && (name.compare(u"script", Qt::CaseInsensitive) == 0 ||
                             name.compare(u"style", Qt::CaseInsensitive) == 0)) {
                const QString endTag = u"</" + name.toString();
                const qsizetype end = platform::findIgnoringCase(html, endTag, i);
                if (end < 0) {
                    i = size;
                } else {
                    const qsizetype close = platform::findExact(html, u">", end);
                    i = close < 0 ? size : close + 1;
                }
            }
            continue;
        }
        if (isHtmlSpace(c)) {
            out.gap((c == u'\n' || c == u'\r') ? Output::LineBreak : Output::Space);
            ++i;
            continue;
        }
        if (c == u'&') {
            QString &text = out.beginAppend();
            const qsizetype used = decodeCharacterReference(html, i, text);
            if (used > 0) {
                i += used;
                continue;
            }
        }
        out.append(QChar(c));
        ++i;
    }
    return out.take();
}

QString removeNewLines(QStringView text)
{
    QString result;
    result.reserve(text.size());
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size) {
        if (!isLineBreak(text[i].unicode())) {
            result.append(text[i++]);
            continue;
        }
        // Drop the white space before the break, and the break with what follows it.
        while (!result.isEmpty() && platform::isWhiteSpaceOrNewline(result.back()))
            result.chop(1);
        while (i < size && platform::isWhiteSpaceOrNewline(text[i]))
            ++i;
        if (!result.isEmpty() && i < size)
            result.append(u' ');
    }
    qsizetype start = 0;
    while (start < result.size() && platform::isWhiteSpaceOrNewline(result[start]))
        ++start;
    while (!result.isEmpty() && platform::isWhiteSpaceOrNewline(result.back()))
        result.chop(1);
    return start ? result.mid(start) : result;
}

} // namespace host
