#pragma once

class TitlePage;
class TitleRecord;

namespace details {

// "awards": the one-line summary of wins and nominations, from the older layout's awards
// blurb or the newer layout's awards row. Leaves the page scanner rewound or where the blurb
// ended.
void addAwards(TitlePage &page, TitleRecord &record);

} // namespace details
