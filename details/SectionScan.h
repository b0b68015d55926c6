#pragma once

#include "host/Text.h"
#include "platform/Cursor.h"

#include <initializer_list>

namespace details {

// Reads one labelled section of the older layouts with a page scanner: scans up to each
// marker in turn, then captures up to `end`. The capture counts only when it begins with the
// last marker (compared exactly, though the scan ignores letter case); the result is the
// capture without that marker, and the scanner stays after it, so that the next section is
// searched from there. Otherwise the result is null and the scanner is rewound.
Text scanSection(platform::Cursor &scanner, std::initializer_list<QStringView> markers,
                 QStringView end = u"</");

} // namespace details
