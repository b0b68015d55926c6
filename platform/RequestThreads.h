#pragma once

class QThreadPool;

namespace platform {

// The threads that run blocking requests in the background (the static web view's page, a
// lookup's pages fetched in parallel). Each thread keeps its own network manager; the pool
// is taken down while the application still exists, so that those managers close cleanly.
// Only while the application object exists.
QThreadPool &requestThreads();

} // namespace platform
