#pragma once

#include "host/Text.h"

class TitleRecord;

namespace details {

// The crew departments the user switched on, read from the full-credits page into the
// credits list and the catalogue's user-defined fields titled by job, in the table's order.
void addDepartmentCredits(const Text &fullCreditsPage, TitleRecord &record);

} // namespace details
