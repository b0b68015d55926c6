#pragma once

namespace hostapp {

// Settings a host process must make before its QApplication exists: the browser engine's
// shared graphics context, its sandbox (which cannot run as root) and its log level, and a
// runtime folder when the session has none.
void prepareGuiProcess();

} // namespace hostapp
