#pragma once

#include "host/Text.h"

namespace details {

// The item texts of the "<li " items in a block, cleaned and joined by ", " in page order;
// null when the block yields no text at all. An item whose text ends with ", " (the page's
// own separator) loses it, so the separator is never doubled.
Text listCollection(const Text &block);

// A cleaned "A | B" list of the older layouts as "A, B". Cleaning leaves a line break where
// the page's markup broke the line between two items ("USA\n|\nUK"); dropping it outright
// would glue the items together, so each line break counts as one space.
Text joinedPipeList(const Text &cleaned);

} // namespace details
