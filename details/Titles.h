#pragma once

class TitlePage;
class TitleRecord;

namespace details {

// Step 2 of the run: "theatrical" as January 1 of the title's year, while it is empty.
void addTheatricalYear(TitlePage &page, TitleRecord &record);
// Step 3: "title" and "originalTitle"; the original title is left out when it only repeats
// the title the user searched with.
void addTitles(TitlePage &page, TitleRecord &record);
// Step 4: "series" for series and their episodes, with "season" and "episode" numbers.
void addSeries(TitlePage &page, TitleRecord &record);

} // namespace details
