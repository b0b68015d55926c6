#pragma once

class TitlePage;
class TitleRecord;

namespace details {

// "genre" (and "TV Movie" for a page that calls the title one) and "rated", the
// certificate. Leaves the page scanner rewound, where the production details start.
void addClassification(TitlePage &page, TitleRecord &record);

} // namespace details
