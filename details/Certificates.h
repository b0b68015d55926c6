#pragma once

#include "host/Text.h"

namespace details {

// The short certificate label that a rating text of the older layouts names ("Rated PG-13
// for some violence" gives "PG-13"); the text itself when it names none of the table's
// labels, and null for a null text. The result is not cleaned.
Text certificateLabel(const Text &ratingText);

} // namespace details
