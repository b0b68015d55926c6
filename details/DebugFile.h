#pragma once

#include <QString>

namespace details {

// "~/Desktop/Tavrin Debug.txt": every downloaded title page is appended to it while the
// user default "IMDB debug file" is on.
QString debugFilePath();

// Appends `text` (UTF-8) to the debug file; a new file is written atomically. Failures are
// logged ("Can't open fileHandle", "Can't Write") and the lookup goes on.
void addToDebugFile(const QString &text);

} // namespace details
