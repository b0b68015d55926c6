#pragma once

class TitlePage;
class TitleRecord;

namespace details {

// Step 1 of the run: the cover picture addresses, the preferred one first, added to the
// record's image list (after anything the legacy parser put there). Rewinds the page scanner.
void addCoverImages(TitlePage &page, TitleRecord &record);

} // namespace details
