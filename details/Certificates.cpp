#include "details/Certificates.h"

#include <array>

namespace details {
namespace {

struct Certificate
{
    QStringView tested;
    QStringView label;
};

// Tested in this order, first hit wins: "PG-13" has to come before "PG ", "PG " before
// "G ".
constexpr std::array<Certificate, 6> certificateTable{{
    {u"PG-13", u"PG-13"},
    {u"PG ", u"PG"},
    {u"G ", u"G"},
    {u"NC-17", u"NC-17"},
    {u"NR ", u"NR"},
    {u" R ", u"R"},
}};

bool isLetterOrDigit(QChar c)
{
    return c.isLetterOrNumber();
}

// Whether `word` stands in the text where no letter or digit precedes it. A bare substring
// test would find "G " inside "STRONG violence" and call an R-rated title "G".
bool containsAsWord(const QString &text, QStringView word)
{
    for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + 1)) {
        // A label whose own first character is a space starts its word after that space.
        const qsizetype wordStart = word.startsWith(u' ') ? at + 1 : at;
        if (wordStart == 0 || !isLetterOrDigit(text.at(wordStart - 1)))
            return true;
    }
    return false;
}

} // namespace

Text certificateLabel(const Text &ratingText)
{
    if (ratingText.isNull())
        return {};
    for (const Certificate &certificate : certificateTable) {
        if (containsAsWord(ratingText.string(), certificate.tested))
            return certificate.label.toString();
    }
    return ratingText;
}

} // namespace details
