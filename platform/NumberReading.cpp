#include "platform/NumberReading.h"

#include "platform/Cursor.h"

#include <limits>

namespace platform {
namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads digits from `at`, saturating; returns the magnitude (negative saturation is handled
// by the caller through `negative`).
qint64 readDigits(QStringView text, qsizetype at, bool negative)
{
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    bool saturated = false;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        const int digit = text[at].unicode() - u'0';
        if (!saturated && value > (max - digit) / 10)
            saturated = true;
        if (!saturated)
            value = value * 10 + digit;
    }
    if (saturated)
        return negative ? std::numeric_limits<qint64>::min() : max;
    return negative ? -value : value;
}

} // namespace

qint64 integerValue(QStringView text)
{
    qsizetype at = 0;
    while (at < text.size() && isWhiteSpaceOrNewline(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    return readDigits(text, at, negative);
}

int intValue(QStringView text)
{
    const qint64 value = integerValue(text);
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max()));
}

std::optional<qint64> firstWholeNumber(QStringView text)
{
    qsizetype at = 0;
    while (at < text.size() && !isDigit(text[at]))
        ++at;
    if (at == text.size())
        return std::nullopt;
    return readDigits(text, at, false);
}

} // namespace platform
