#pragma once

#include <QString>

class QWidget;

namespace platform {

// Window titles taken literally. A widget's title treats "[*]" as the place of its
// modification mark and drops it; titles made from page text must show every character.
void setPlainWindowTitle(QWidget *window, const QString &title);
// The title as set by setPlainWindowTitle, which is also what the window shows.
QString plainWindowTitle(const QWidget *window);

} // namespace platform
