#pragma once

class TitlePage;
class TitleRecord;

namespace details {

// Runs every field group over the page, in their fixed order. Each group fills the keys it
// owns, as a rule only while they are empty.
void runFieldGroups(TitlePage &page, TitleRecord &record);

} // namespace details
