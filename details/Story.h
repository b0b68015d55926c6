#pragma once

class TitlePage;
class TitleRecord;

namespace details {

// "summary", "tags" (the structured data's keywords, when the user asked for keywords) and
// "tagline", each only while empty. Leaves the page scanner rewound.
void addStory(TitlePage &page, TitleRecord &record);

} // namespace details
