#pragma once

class TitlePage;
class TitleRecord;

namespace details {

// Director, creator, writer and producer from the title page: the structured data first,
// then the markup of each older layout in turn. Director, creator and writer are filled only
// while empty; the producer list replaces whatever the record held.
void addPrincipalCrew(TitlePage &page, TitleRecord &record);

} // namespace details
