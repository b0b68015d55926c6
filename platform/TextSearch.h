#pragma once

#include <QStringView>

namespace platform {

// Substring search over UTF-16 text, the primitive every parser leans on.
// Both return the index of the first occurrence at or after `from`, or -1.
// An empty needle is found at `from` (when `from` lies within the text).
qsizetype findExact(QStringView haystack, QStringView needle, qsizetype from = 0);

// Letter case is ignored the way a literal, case-insensitive string comparison does:
// each UTF-16 unit is compared after simple case folding.
qsizetype findIgnoringCase(QStringView haystack, QStringView needle, qsizetype from = 0);

} // namespace platform
