#pragma once

#include <QStringView>

#include <optional>

namespace platform {

// The leading integer of a text, read as the platform's string-to-number conversions do:
// leading white space skipped, an optional sign, then decimal digits; 0 when there are none.
// A value out of range saturates at the type's limit.
int intValue(QStringView text);
qint64 integerValue(QStringView text);

// The first run of decimal digits in the text, every other character before it skipped;
// nothing when the text holds no digit. Saturates like integerValue.
std::optional<qint64> firstWholeNumber(QStringView text);

} // namespace platform
