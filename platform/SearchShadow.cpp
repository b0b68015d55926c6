#include "platform/SearchShadow.h"

#include <emmintrin.h>

#include <algorithm>

namespace platform {

SearchShadow::SearchShadow(QStringView text) : m_bytes(text.size(), Qt::Uninitialized)
{
    const char16_t *from = text.utf16();
    auto *to = reinterpret_cast<unsigned char *>(m_bytes.data());
    const qsizetype size = text.size();
    qsizetype i = 0;
    // Saturation keeps ASCII as it is; U+0080..U+7FFF become 0x80..0xFF and, read as
    // signed, U+8000 and above become 0. No byte of a non-ASCII character is an ASCII code.
    for (; i + 16 <= size; i += 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + i + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(to + i), _mm_packus_epi16(low, high));
    }
    for (; i < size; ++i)
        to[i] =
            from[i] >= 0x8000 ? 0 : static_cast<unsigned char>(std::min<char16_t>(from[i], 0xFF));
}

std::shared_ptr<const SearchShadow> SearchShadow::makeFor(QStringView text)
{
    if (text.size() < worthwhileLength)
        return nullptr;
    return std::make_shared<const SearchShadow>(text);
}

std::optional<qsizetype> SearchShadow::recall(QStringView needle, bool ignoringCase,
                                              qsizetype from) const
{
    // A key over the needle's own characters: a lookup copies nothing.
    const QString key =
        QString::fromRawData(reinterpret_cast<const QChar *>(needle.utf16()), needle.size());
    const std::lock_guard lock(m_answersLock);
    const auto it = m_answers[ignoringCase].constFind(key);
    if (it == m_answers[ignoringCase].cend() || it->from > from ||
        (it->found >= 0 && it->found < from))
        return std::nullopt;
    return it->found;
}

void SearchShadow::remember(QStringView needle, bool ignoringCase, qsizetype from,
                            qsizetype found) const
{
    const std::lock_guard lock(m_answersLock);
    m_answers[ignoringCase].insert(needle.toString(), {from, found});
}

} // namespace platform
