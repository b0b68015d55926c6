#pragma once

#include "host/Text.h"

class TitleRecord;

// The credits list of the title record and the readers that fill it. Every reader appends to
// the list under "credits" (a record without one receives nothing) and never removes.
namespace details {

// Whether a person with this role goes into the credits list: a role containing
// "(uncredited)" only while "IMDBCreditsUncredited" is on (read afresh for every person).
bool passesUncreditedFilter(const Text &role);

// The title page's cast items ("=\"title-cast-item\"" … "</ul").
void newNewAddCreditsFromSection(const Text &section, TitleRecord &record);
// Cast-table rows ("/name/nm" … "</tr") of the full-credits page and of the older title page.
void newAddCreditsFromSection(const Text &section, TitleRecord &record);
// A department whose people all have one role ("<tr" … "</tr").
void addCreditsFromSection(const Text &section, const QString &role, TitleRecord &record);
// A department whose rows give each person's own role in their last cell.
void addCreditsFromSection(const Text &section, TitleRecord &record);
// Adds `name` to the catalogue's user-defined field titled `role`, when there is one.
void addToCustomField(const QString &name, const Text &role, TitleRecord &record);
// Takes an empty credits list out of the record, so that hosts see no "credits" at all.
void removeEmptyCreditsList(TitleRecord &record);

} // namespace details
