#pragma once

class TitlePage;
class TitleRecord;

namespace details {

// Step 7 of the run: the release date, from the structured data or the "Release Date:" line.
// It replaces the beginning-of-year "theatrical" of the same year (unless the user keeps
// release dates apart with "Disable IMDB Country Release"); a date of another year goes to
// "releaseDate". May leave the page scanner anywhere.
void addReleaseDate(TitlePage &page, TitleRecord &record);

} // namespace details
