#pragma once

class TitlePage;
class TitleRecord;

namespace details {

// The "starring" line when the title page gave no cast, then, when the user asked for full
// credits or the title belongs to a series, the full-credits page: its cast (when asked for),
// its directors, writers and producers (replacing the title page's) and its departments.
void addStarringAndFullCredits(TitlePage &page, TitleRecord &record);

} // namespace details
