#pragma once

#include "host/Text.h"

class TitlePage;
class TitleRecord;

namespace details {

// Whole minutes of one of the site's ISO 8601 durations ("PT2H22M" 142, "PT2H" 120, "PT45M"
// 45); 0 for null, a missing part or a text in words ("142 min"). Saturates instead of
// overflowing on absurd hour counts.
qint64 timeToMinutes(const Text &duration);

// Step 5 of the run: "duration" in whole minutes, while it is empty.
void addRunningTime(TitlePage &page, TitleRecord &record);

} // namespace details
