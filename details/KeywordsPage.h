#pragma once

#include "host/Text.h"

class TitlePage;
class TitleRecord;

namespace details {

// When the user asked for additional plot keywords: the keywords page's whole list replaces
// "tags".
void addKeywordsPage(TitlePage &page, TitleRecord &record);
// Stores the distinct keywords of the keywords table under "tags", in page order; a table
// without keywords changes nothing.
void addAdditionalPlotKeywordsFromSection(const Text &section, TitleRecord &record);

} // namespace details
