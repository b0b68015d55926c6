#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>

namespace platform {

// A one-byte-per-character copy of a long text that makes repeated searches over it about
// twice as fast: the candidate filter of a search then reads 32 characters per AVX2 step
// instead of 16. ASCII characters keep their code; every other character becomes a byte
// that is no ASCII code (0x80..0xFF, or 0 from U+8000 up), which no marker byte equals.
// Candidates are always confirmed on the text itself, so the copy only has to never miss one.
//
// Built once per page (in about the time of one search over it) and shared by every
// operation over that very text.
class SearchShadow
{
public:
    explicit SearchShadow(QStringView text);

    const char *bytes() const { return m_bytes.constData(); }
    qsizetype size() const { return m_bytes.size(); }

    // Texts shorter than this are searched directly: the copy would not pay for itself.
    static constexpr qsizetype worthwhileLength = qsizetype(64) * 1024;
    static std::shared_ptr<const SearchShadow> makeFor(QStringView text);

    // The last answer of a search for `needle` that also answers a search from `from`: a
    // marker absent after one position is absent after every later one, and its next
    // occurrence is the answer for every start up to it. Page walks ask for the same markers
    // over and over, most of them absent from a page of another layout, and each such
    // search reads the whole page.
    std::optional<qsizetype> recall(QStringView needle, bool ignoringCase, qsizetype from) const;
    void remember(QStringView needle, bool ignoringCase, qsizetype from, qsizetype found) const;

private:
    struct Answer
    {
        qsizetype from = 0;
        qsizetype found = -1;
    };

    QByteArray m_bytes;
    // Copies of one page's text may be read on several threads.
    mutable std::mutex m_answersLock;
    mutable QHash<QString, Answer> m_answers[2];
};

// The searches of platform/TextSearch.h, over a text and its shadow.
qsizetype findExact(QStringView haystack, const SearchShadow &shadow, QStringView needle,
                    qsizetype from);
qsizetype findIgnoringCase(QStringView haystack, const SearchShadow &shadow, QStringView needle,
                           qsizetype from);

} // namespace platform
