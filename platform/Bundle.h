#pragma once

#include <QString>

namespace platform {

// The folder of the loaded module (shared library or program) that holds `address`: a
// plug-in finds its bundle, and the resources in it, next to its own library.
QString moduleDirectoryContaining(const void *address);

} // namespace platform
