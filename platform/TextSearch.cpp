#include "platform/TextSearch.h"

#include <emmintrin.h>

// Both searches filter candidate positions with SSE2, eight UTF-16 units at a time, by
// testing the needle's first and last unit together; only positions passing both tests are
// compared in full. Markers that begin with a very common character ('<', '"') stay cheap
// because their last character rarely sits at the right distance from it.

namespace platform {
namespace {

inline char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

inline char16_t folded(char16_t c)
{
    if (c < 0x80)
        return asciiLower(c);
    return QChar(c).toCaseFolded().unicode();
}

inline int maskOf(__m128i block, __m128i a)
{
    return _mm_movemask_epi8(_mm_cmpeq_epi16(block, a));
}

inline __m128i load(const char16_t *p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
}

bool equalExact(const char16_t *a, const char16_t *b, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

// `lowered` is the needle folded in advance.
bool equalFolded(const char16_t *text, const char16_t *lowered, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i) {
        char16_t c = text[i];
        if (c == lowered[i])
            continue;
        if (folded(c) != lowered[i])
            return false;
    }
    return true;
}

// Non-ASCII units whose simple case folding is an ASCII letter (KELVIN SIGN, LONG S).
// A folded ASCII first or last unit may stand for them in the text.
char16_t foreignFormOf(char16_t lowerAscii)
{
    switch (lowerAscii) {
    case u'k':
        return 0x212A;
    case u's':
        return 0x017F;
    default:
        return 0;
    }
}

// The UTF-16 units that fold to one ASCII unit, tested against eight text units at once.
struct FoldedUnit
{
    explicit FoldedUnit(char16_t lower)
        : lowerForm(_mm_set1_epi16(short(lower)))
        , upperForm(_mm_set1_epi16(short(lower >= u'a' && lower <= u'z' ? lower - 32 : lower)))
        , foreignForm(_mm_set1_epi16(short(foreignFormOf(lower) ? foreignFormOf(lower) : lower)))
    {}
    int mask(__m128i block) const
    {
        return maskOf(block, lowerForm) | maskOf(block, upperForm) | maskOf(block, foreignForm);
    }
    __m128i lowerForm;
    __m128i upperForm;
    __m128i foreignForm;
};

} // namespace

qsizetype findExact(QStringView haystack, QStringView needle, qsizetype from)
{
    const qsizetype n = needle.size();
    const qsizetype size = haystack.size();
    if (from < 0)
        from = 0;
    if (n == 0)
        return from <= size ? from : -1;
    if (from > size - n)
        return -1;

    const char16_t *text = haystack.utf16();
    const char16_t *pattern = needle.utf16();
    const qsizetype last = n - 1;
    const qsizetype lastStart = size - n;
    qsizetype i = from;

    const __m128i first = _mm_set1_epi16(short(pattern[0]));
    const __m128i tail = _mm_set1_epi16(short(pattern[last]));
    for (; i + 8 <= lastStart + 1; i += 8) {
        int mask = maskOf(load(text + i), first) & maskOf(load(text + i + last), tail);
        while (mask) {
            const int bit = __builtin_ctz(unsigned(mask));
            const qsizetype at = i + bit / 2;
            if (equalExact(text + at + 1, pattern + 1, n - 1))
                return at;
            mask &= ~(3 << bit);
        }
    }
    for (; i <= lastStart; ++i) {
        if (text[i] == pattern[0] && text[i + last] == pattern[last] &&
            equalExact(text + i + 1, pattern + 1, n - 1))
            return i;
    }
    return -1;
}

qsizetype findIgnoringCase(QStringView haystack, QStringView needle, qsizetype from)
{
    const qsizetype n = needle.size();
    const qsizetype size = haystack.size();
    if (from < 0)
        from = 0;
    if (n == 0)
        return from <= size ? from : -1;
    if (from > size - n)
        return -1;

    // Markers are short; fold them on the stack so the search allocates nothing.
    constexpr qsizetype inlineCapacity = 128;
    char16_t inlineBuffer[inlineCapacity];
    std::u16string heapBuffer;
    char16_t *lowered = inlineBuffer;
    if (n > inlineCapacity) {
        heapBuffer.resize(size_t(n));
        lowered = heapBuffer.data();
    }
    for (qsizetype k = 0; k < n; ++k)
        lowered[k] = folded(needle.utf16()[k]);
    const char16_t firstLow = lowered[0];
    const char16_t lastLow = lowered[n - 1];

    const char16_t *text = haystack.utf16();
    const qsizetype last = n - 1;
    const qsizetype lastStart = size - n;
    qsizetype i = from;

    if (firstLow < 0x80 && lastLow < 0x80) {
        const FoldedUnit head(firstLow);
        const FoldedUnit tail(lastLow);
        for (; i + 8 <= lastStart + 1; i += 8) {
            int mask = head.mask(load(text + i)) & tail.mask(load(text + i + last));
            while (mask) {
                const int bit = __builtin_ctz(unsigned(mask));
                const qsizetype at = i + bit / 2;
                if (equalFolded(text + at, lowered, n))
                    return at;
                mask &= ~(3 << bit);
            }
        }
    }
    for (; i <= lastStart; ++i) {
        if (folded(text[i]) == firstLow && equalFolded(text + i, lowered, n))
            return i;
    }
    return -1;
}

} // namespace platform
