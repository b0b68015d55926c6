#pragma once

class TitlePage;
class TitleRecord;

namespace details {

// Starts the run's credits list afresh (dropping any list the legacy parser stored) and
// reads the title page's cast items into it.
void addTitlePageCast(TitlePage &page, TitleRecord &record);

} // namespace details
