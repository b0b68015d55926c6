#include "platform/TextSearch.h"

#include "platform/SearchShadow.h"

#include <immintrin.h>

#include <algorithm>
#include <optional>
#include <string>

// Every search filters candidate positions with SIMD by testing the needle's first and last
// character together; only positions passing both tests are compared in full. Markers that
// begin with a very common character ('<', '"') stay cheap because their last character
// rarely sits at the right distance from it.
//
// Over plain UTF-16 text the filter reads eight characters per SSE2 step. Over a text with a
// SearchShadow it reads the shadow's bytes, 32 per AVX2 step where the processor has AVX2
// (16 per SSE2 step otherwise), and confirms candidates on the UTF-16 text.

namespace platform {
namespace {

inline char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

inline bool isAsciiLowerLetter(char16_t c)
{
    return c >= u'a' && c <= u'z';
}

inline char16_t folded(char16_t c)
{
    if (c < 0x80)
        return asciiLower(c);
    return QChar(c).toCaseFolded().unicode();
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
        const char16_t c = text[i];
        if (c != lowered[i] && folded(c) != lowered[i])
            return false;
    }
    return true;
}

// The needle folded, on the stack for markers (no allocation per search).
class FoldedNeedle
{
public:
    explicit FoldedNeedle(QStringView needle)
    {
        const qsizetype n = needle.size();
        m_data = m_inline;
        if (n > qsizetype(std::size(m_inline))) {
            m_heap.resize(size_t(n));
            m_data = m_heap.data();
        }
        for (qsizetype k = 0; k < n; ++k)
            m_data[k] = folded(needle.utf16()[k]);
    }
    const char16_t *data() const { return m_data; }

private:
    char16_t m_inline[128];
    std::u16string m_heap;
    char16_t *m_data;
};

// Non-ASCII units whose simple case folding is an ASCII letter: KELVIN SIGN and LONG S.
bool hasForeignForm(char16_t lowerAscii)
{
    return lowerAscii == u'k' || lowerAscii == u's';
}

char16_t foreignFormOf(char16_t lowerAscii)
{
    return lowerAscii == u'k' ? char16_t(0x212A) : lowerAscii == u's' ? char16_t(0x017F) : 0;
}

// ---- UTF-16 filter (SSE2) ----

inline int maskOf(__m128i block, __m128i a)
{
    return _mm_movemask_epi8(_mm_cmpeq_epi16(block, a));
}

inline __m128i load(const char16_t *p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
}

// The UTF-16 units that fold to one ASCII unit, tested against eight text units at once.
struct FoldedUnit
{
    explicit FoldedUnit(char16_t lower)
        : lowerForm(_mm_set1_epi16(short(lower)))
        , upperForm(_mm_set1_epi16(short(isAsciiLowerLetter(lower) ? lower - 32 : lower)))
        , foreignForm(_mm_set1_epi16(short(hasForeignForm(lower) ? foreignFormOf(lower) : lower)))
    {}
    int mask(__m128i block) const
    {
        return maskOf(block, lowerForm) | maskOf(block, upperForm) | maskOf(block, foreignForm);
    }
    __m128i lowerForm;
    __m128i upperForm;
    __m128i foreignForm;
};

// ---- Shadow filter: one byte per character ----

// How often each ASCII byte occurs in the site's pages, in parts per ten thousand
// (tools/generate-byte-frequencies.py). The shadow's filter tests the needle's two rarest
// characters, so that markers built of common characters ("=\"title-cast-item\"") still
// yield few candidates.
constexpr unsigned short htmlByteFrequency[128] = {
    1,   1,   1,   1,   1,   1,   1,   1,   1,   49,  69,  1,   1,   1,   1,   1,   1,   1,   1,
    1,   1,   1,   1,   1,   1,   1,   1,   1,   1,   1,   1,   1,   719, 16,  348, 2,   1,   5,
    25,  19,  63,  63,  20,  7,   118, 313, 204, 135, 149, 140, 116, 84,  88,  82,  64,  57,  61,
    56,  107, 65,  96,  150, 95,  10,  6,   21,  22,  30,  18,  17,  13,  10,  12,  17,  6,   5,
    26,  40,  21,  13,  14,  10,  18,  27,  32,  11,  18,  14,  12,  12,  9,   13,  23,  13,  1,
    152, 1,   447, 107, 283, 221, 580, 109, 138, 135, 477, 22,  52,  295, 177, 368, 319, 208, 10,
    331, 352, 548, 115, 103, 87,  55,  82,  26,  44,  14,  44,  1,   1,
};

unsigned frequencyOf(char16_t c, bool ignoreCase)
{
    unsigned frequency = htmlByteFrequency[c];
    if (ignoreCase && isAsciiLowerLetter(c))
        frequency += htmlByteFrequency[c - 32];
    return frequency;
}

// The two positions of the needle the shadow's filter tests: its rarest characters. Nothing
// when a needle character there is not ASCII (or is NUL): such needles skip the shadow.
struct Probes
{
    qsizetype first;
    qsizetype second;
};

std::optional<Probes> chooseProbes(const char16_t *needle, qsizetype n, bool ignoreCase)
{
    qsizetype best = -1;
    qsizetype next = -1;
    for (qsizetype k = 0; k < n; ++k) {
        const char16_t c = needle[k];
        if (c == 0 || c >= 0x80)
            continue;
        const unsigned frequency = frequencyOf(c, ignoreCase);
        if (best < 0 || frequency < frequencyOf(needle[best], ignoreCase)) {
            next = best;
            best = k;
        } else if (next < 0 || frequency < frequencyOf(needle[next], ignoreCase)) {
            next = k;
        }
    }
    if (best < 0)
        return std::nullopt;
    if (next < 0)
        next = best;
    return Probes{std::min(best, next), std::max(best, next)};
}

// How one end of the needle is recognised in the shadow: a byte equal to `exact`, or, for a
// letter ignoring case, a byte equal to `exact` once 0x20 is set; with a foreign form, any
// non-ASCII byte too (the confirmation on the text decides).
struct ByteTest
{
    unsigned char exact;
    bool caseless;
    bool nonAscii;
};

ByteTest byteTest(char16_t end, bool ignoreCase)
{
    const bool letter = ignoreCase && isAsciiLowerLetter(end);
    return {static_cast<unsigned char>(end), letter, ignoreCase && hasForeignForm(end)};
}

inline bool byteMatches(unsigned char b, const ByteTest &t)
{
    if (t.caseless ? (b | 0x20) == t.exact : b == t.exact)
        return true;
    return t.nonAscii && (b >= 0x80 || b == 0);
}

template<typename Confirm>
qsizetype scanShadowSse2(const unsigned char *bytes, qsizetype from, qsizetype lastStart,
                         Probes probes, ByteTest head, ByteTest tail, Confirm confirm)
{
    const auto sseMask = [](__m128i block, const ByteTest &t) {
        const __m128i probe = t.caseless ? _mm_or_si128(block, _mm_set1_epi8(0x20)) : block;
        int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(probe, _mm_set1_epi8(char(t.exact))));
        if (t.nonAscii) {
            mask |= _mm_movemask_epi8(block) |
                    _mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_setzero_si128()));
        }
        return mask;
    };
    const unsigned char *firstProbe = bytes + probes.first;
    const unsigned char *secondProbe = bytes + probes.second;
    qsizetype i = from;
    for (; i + 16 <= lastStart + 1; i += 16) {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i *>(firstProbe + i));
        const __m128i end = _mm_loadu_si128(reinterpret_cast<const __m128i *>(secondProbe + i));
        unsigned mask = unsigned(sseMask(first, head) & sseMask(end, tail));
        while (mask) {
            const qsizetype at = i + __builtin_ctz(mask);
            if (confirm(at))
                return at;
            mask &= mask - 1;
        }
    }
    for (; i <= lastStart; ++i) {
        if (byteMatches(firstProbe[i], head) && byteMatches(secondProbe[i], tail) && confirm(i))
            return i;
    }
    return -1;
}

__attribute__((target("avx2"))) inline unsigned avxMask(__m256i block, const ByteTest &t)
{
    const __m256i probe = t.caseless ? _mm256_or_si256(block, _mm256_set1_epi8(0x20)) : block;
    unsigned mask =
        unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(probe, _mm256_set1_epi8(char(t.exact)))));
    if (t.nonAscii) {
        mask |= unsigned(_mm256_movemask_epi8(block)) |
                unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, _mm256_setzero_si256())));
    }
    return mask;
}

// Where 32 positions hold both probe bytes (ASCII tests only): all ones at a candidate.
__attribute__((target("avx2"))) inline __m256i candidatesAt(const unsigned char *first,
                                                            const unsigned char *second,
                                                            __m256i headCase, __m256i headByte,
                                                            __m256i tailCase, __m256i tailByte)
{
    const __m256i firstBytes = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(first));
    const __m256i secondBytes = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(second));
    return _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(firstBytes, headCase), headByte),
                            _mm256_cmpeq_epi8(_mm256_or_si256(secondBytes, tailCase), tailByte));
}

template<typename Confirm>
__attribute__((target("avx2"))) qsizetype
scanShadowAvx2(const unsigned char *bytes, qsizetype from, qsizetype lastStart, Probes probes,
               ByteTest head, ByteTest tail, Confirm confirm)
{
    const unsigned char *firstProbe = bytes + probes.first;
    const unsigned char *secondProbe = bytes + probes.second;
    qsizetype i = from;
    // The common case, no non-ASCII byte to let through: 64 positions a step, with no branch
    // but the one that finds a candidate, which is rare with the rarest bytes as probes.
    if (!head.nonAscii && !tail.nonAscii) {
        const __m256i headCase = _mm256_set1_epi8(char(head.caseless ? 0x20 : 0));
        const __m256i headByte = _mm256_set1_epi8(char(head.exact));
        const __m256i tailCase = _mm256_set1_epi8(char(tail.caseless ? 0x20 : 0));
        const __m256i tailByte = _mm256_set1_epi8(char(tail.exact));
        for (; i + 64 <= lastStart + 1; i += 64) {
            const __m256i low = candidatesAt(firstProbe + i, secondProbe + i, headCase, headByte,
                                             tailCase, tailByte);
            const __m256i high = candidatesAt(firstProbe + i + 32, secondProbe + i + 32, headCase,
                                              headByte, tailCase, tailByte);
            const __m256i any = _mm256_or_si256(low, high);
            if (_mm256_testz_si256(any, any))
                continue;
            quint64 mask = quint32(_mm256_movemask_epi8(low)) |
                           (quint64(quint32(_mm256_movemask_epi8(high))) << 32);
            while (mask) {
                const qsizetype at = i + __builtin_ctzll(mask);
                if (confirm(at))
                    return at;
                mask &= mask - 1;
            }
        }
    }
    for (; i + 32 <= lastStart + 1; i += 32) {
        const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(firstProbe + i));
        const __m256i end = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(secondProbe + i));
        unsigned mask = avxMask(first, head) & avxMask(end, tail);
        while (mask) {
            const qsizetype at = i + __builtin_ctz(mask);
            if (confirm(at))
                return at;
            mask &= mask - 1;
        }
    }
    return scanShadowSse2(bytes, i, lastStart, probes, head, tail, confirm);
}

bool processorHasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

template<typename Confirm>
qsizetype scanShadow(const unsigned char *bytes, qsizetype from, qsizetype lastStart, Probes probes,
                     ByteTest head, ByteTest tail, Confirm confirm)
{
    if (processorHasAvx2())
        return scanShadowAvx2(bytes, from, lastStart, probes, head, tail, confirm);
    return scanShadowSse2(bytes, from, lastStart, probes, head, tail, confirm);
}

// The answer a search gives without reading the text: for an empty needle, or a start from
// which the needle cannot fit. A start before the text is moved to its beginning.
std::optional<qsizetype> answerWithoutScan(qsizetype size, qsizetype n, qsizetype &from)
{
    from = std::max<qsizetype>(from, 0);
    if (n == 0)
        return from <= size ? from : -1;
    if (from > size - n)
        return -1;
    return std::nullopt;
}

} // namespace

qsizetype findExact(QStringView haystack, QStringView needle, qsizetype from)
{
    const qsizetype n = needle.size();
    const qsizetype size = haystack.size();
    if (const std::optional<qsizetype> answer = answerWithoutScan(size, n, from))
        return *answer;

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
    if (const std::optional<qsizetype> answer = answerWithoutScan(size, n, from))
        return *answer;

    const FoldedNeedle lowered(needle);
    const char16_t firstLow = lowered.data()[0];
    const char16_t lastLow = lowered.data()[n - 1];
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
                if (equalFolded(text + at, lowered.data(), n))
                    return at;
                mask &= ~(3 << bit);
            }
        }
    }
    for (; i <= lastStart; ++i) {
        if (folded(text[i]) == firstLow && equalFolded(text + i, lowered.data(), n))
            return i;
    }
    return -1;
}

qsizetype findExact(QStringView haystack, const SearchShadow &shadow, QStringView needle,
                    qsizetype from)
{
    const qsizetype n = needle.size();
    const qsizetype size = haystack.size();
    if (from < 0)
        from = 0;
    if (n == 0 || from > size - n || shadow.size() != size)
        return findExact(haystack, needle, from);
    const char16_t *pattern = needle.utf16();
    const std::optional<Probes> probes = chooseProbes(pattern, n, false);
    if (!probes)
        return findExact(haystack, needle, from);

    if (const std::optional<qsizetype> known = shadow.recall(needle, false, from))
        return *known;
    const char16_t *text = haystack.utf16();
    const qsizetype found = scanShadow(
        reinterpret_cast<const unsigned char *>(shadow.bytes()), from, size - n, *probes,
        byteTest(pattern[probes->first], false), byteTest(pattern[probes->second], false),
        [&](qsizetype at) { return equalExact(text + at, pattern, n); });
    shadow.remember(needle, false, from, found);
    return found;
}

qsizetype findIgnoringCase(QStringView haystack, const SearchShadow &shadow, QStringView needle,
                           qsizetype from)
{
    const qsizetype n = needle.size();
    const qsizetype size = haystack.size();
    if (from < 0)
        from = 0;
    if (n == 0 || from > size - n || shadow.size() != size)
        return findIgnoringCase(haystack, needle, from);
    const FoldedNeedle lowered(needle);
    const std::optional<Probes> probes = chooseProbes(lowered.data(), n, true);
    if (!probes)
        return findIgnoringCase(haystack, needle, from);

    if (const std::optional<qsizetype> known = shadow.recall(needle, true, from))
        return *known;
    const char16_t *text = haystack.utf16();
    const qsizetype found =
        scanShadow(reinterpret_cast<const unsigned char *>(shadow.bytes()), from, size - n, *probes,
                   byteTest(lowered.data()[probes->first], true),
                   byteTest(lowered.data()[probes->second], true),
                   [&](qsizetype at) { return equalFolded(text + at, lowered.data(), n); });
    shadow.remember(needle, true, from, found);
    return found;
}

} // namespace platform
