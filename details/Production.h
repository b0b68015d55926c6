#pragma once

class TitlePage;
class TitleRecord;

namespace details {

// "country", "languages", "studio", "sound", "aspectRatio" and the catalogue's "Color"
// field. The scanner steps of the older layout share one pass: each success leaves the
// cursor after what it read, so the sections are found in page order.
void addProductionDetails(TitlePage &page, TitleRecord &record);

} // namespace details
