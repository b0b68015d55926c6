#include "windows/TextPages.h"

#include "host/Text.h"
#include "platform/TextSearch.h"

#include <algorithm>
#include <numeric>

using platform::findExact;

namespace {

struct RunMarkers
{
    QStringView element; // the attribute end that opens a styled element
    QString start;
    QString end;
};

const RunMarkers speakerMarkers{u"\"character\">", QStringLiteral("[KAVOR_BOLD]"),
                                QStringLiteral("[KAVOR_BOLD_END]")};
const RunMarkers directionMarkers{u"\"fine\">", QStringLiteral("[KAVOR_ITALIC]"),
                                  QStringLiteral("[KAVOR_ITALIC_END]")};
constexpr QStringView elementEnd = u"</span";

// The positions of every "</span" in `text`, each to be taken by at most one element.
class ElementEnds
{
public:
    explicit ElementEnds(const QString &text)
    {
        for (qsizetype at = findExact(text, elementEnd); at >= 0;
             at = findExact(text, elementEnd, at + elementEnd.size()))
            m_positions.append(at);
        m_nextFree.resize(m_positions.size() + 1);
        std::iota(m_nextFree.begin(), m_nextFree.end(), 0);
    }

    // Takes the first end at or after `from` that no element took before; -1 when none is
    // left.
    qsizetype take(qsizetype from)
    {
        const auto first = std::lower_bound(m_positions.cbegin(), m_positions.cend(), from);
        const qsizetype index = freeFrom(first - m_positions.cbegin());
        if (index == m_positions.size())
            return -1;
        m_nextFree[index] = index + 1;
        return m_positions.at(index);
    }

private:
    qsizetype freeFrom(qsizetype index)
    {
        qsizetype root = index;
        while (m_nextFree[root] != root)
            root = m_nextFree[root];
        while (m_nextFree[index] != root)
            index = std::exchange(m_nextFree[index], root);
        return root;
    }

    QList<qsizetype> m_positions;
    QList<qsizetype> m_nextFree;
};

// Wraps the content of the speakers' and then the stage directions' elements in their start
// and end markers, which survive the HTML cleaning as plain text. Each element is paired
// with the first "</span" after it that no earlier element took; one without any gets no
// markers. The tags stay whole, so that the cleaner removes them like any other.
QString markStyledElements(const QString &quote)
{
    struct Insertion
    {
        qsizetype position;
        const QString *marker;
    };
    QList<Insertion> insertions;
    ElementEnds ends(quote);
    for (const RunMarkers *markers : {&speakerMarkers, &directionMarkers}) {
        const QStringView element = markers->element;
        for (qsizetype at = findExact(quote, element); at >= 0;
             at = findExact(quote, element, at + element.size())) {
            const qsizetype end = ends.take(at);
            if (end < 0)
                break;
            insertions.append({at + element.size(), &markers->start});
            insertions.append({end, &markers->end});
        }
    }
    // An element's start and end may share a position (an empty element): start first.
    std::stable_sort(
        insertions.begin(), insertions.end(),
        [](const Insertion &a, const Insertion &b) { return a.position < b.position; });
    QString marked;
    marked.reserve(quote.size() + insertions.size() * 18);
    qsizetype copied = 0;
    for (const Insertion &insertion : insertions) {
        marked.append(QStringView(quote).mid(copied, insertion.position - copied));
        marked.append(*insertion.marker);
        copied = insertion.position;
    }
    marked.append(QStringView(quote).mid(copied));
    return marked;
}

// Gives the characters between each start marker and the first end marker after it
// `style`, and takes the markers out. A start marker without an end marker after it (the
// page's own text can hold one) is dropped and leaves the rest as it is.
void applyRuns(QString &text, QList<TextStyle> &styles, const RunMarkers &markers, TextStyle style)
{
    QString result;
    QList<TextStyle> resultStyles;
    result.reserve(text.size());
    resultStyles.reserve(styles.size());
    // Characters to style, by position in `text`; markers are skipped when copying.
    QList<std::pair<qsizetype, qsizetype>> styledRanges;
    QList<std::pair<qsizetype, qsizetype>> removed;
    qsizetype lastEnd = -1;
    for (qsizetype at = findExact(text, markers.start); at >= 0;
         at = findExact(text, markers.start, at + markers.start.size())) {
        const qsizetype contentStart = at + markers.start.size();
        const qsizetype end = findExact(text, markers.end, std::max(at, lastEnd + 1));
        removed.append({at, markers.start.size()});
        if (end < 0)
            continue;
        styledRanges.append({contentStart, end});
        removed.append({end, markers.end.size()});
        lastEnd = end;
    }
    if (removed.isEmpty())
        return;
    for (const auto &[from, to] : styledRanges) {
        for (qsizetype i = from; i < to; ++i)
            styles[i] = style;
    }
    std::sort(removed.begin(), removed.end());
    qsizetype position = 0;
    for (const auto &[at, length] : removed) {
        if (at > position) {
            result.append(QStringView(text).mid(position, at - position));
            resultStyles.append(styles.mid(position, at - position));
        }
        position = std::max(position, at + length);
    }
    result.append(QStringView(text).mid(position));
    resultStyles.append(styles.mid(position));
    text = std::move(result);
    styles = std::move(resultStyles);
}

StyledText styledQuote(const QString &quote)
{
    // A speaker's name and the speech stay on one line.
    QString text =
        Text(markStyledElements(quote)).stringByCleaningHTML().replacing(u":\n", u": ").string();
    if (text.isEmpty())
        return {};
    QList<TextStyle> styles(text.size(), TextStyle::Regular);
    applyRuns(text, styles, speakerMarkers, TextStyle::Bold);
    applyRuns(text, styles, directionMarkers, TextStyle::Italic);
    return StyledText(std::move(text), std::move(styles));
}

} // namespace

StyledText quotesFromPage(const QString &page)
{
    static const QString separator = QStringLiteral("\n\n\t----------------------\n\n");
    StyledText quotes;
    const Text section = Text(page).stringBetween(u"quotes_content", u"\"see_also");
    for (const QString &quote : section.stringsBetween(u"sodatext\">", u"</div>")) {
        const StyledText styled = styledQuote(quote);
        if (styled.isEmpty())
            continue;
        quotes.append(styled);
        quotes.append(separator, TextStyle::Regular);
    }
    return quotes;
}
