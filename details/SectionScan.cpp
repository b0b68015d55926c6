#include "details/SectionScan.h"

namespace details {

Text scanSection(platform::Cursor &scanner, std::initializer_list<QStringView> markers,
                 QStringView end)
{
    Q_ASSERT(markers.size() > 0);
    for (QStringView marker : markers)
        scanner.scanUpTo(marker);
    const Text capture = scanner.captureUpTo(end);
    const QStringView opening = *std::prev(markers.end());
    if (!capture.hasPrefix(opening)) {
        scanner.rewind();
        return {};
    }
    return capture.substringFromIndex(opening.size());
}

} // namespace details
