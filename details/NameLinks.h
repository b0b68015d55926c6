#pragma once

#include "host/Text.h"

namespace details {

// The texts of the person links ("/name/nm…") in an older layout's block, in block order,
// joined by ", "; the empty text when the block holds no person link. Each link text runs to
// the next "</" and is cleaned; nothing is de-duplicated.
Text nameLinkList(const Text &block);

// The legacy title page's variant: each link text runs from the link's "\">" to the next "<"
// and is not cleaned by itself; the caller cleans the joined list.
Text legacyNameList(const Text &block);

} // namespace details
