#pragma once

#include <QString>

class QWidget;

namespace platform {

// Loads an interface resource: "Awards.nib" is the Qt Designer layout "Awards.ui" in
// `resourceDirectory`. Returns the top-level widget, or null when the file is missing or
// invalid. The caller (the resource's owner) finds its outlets by object name.
//
// Qt Designer's own plug-ins are never loaded, so a layout cannot drag a browser engine or
// any other plug-in library into the process. Main thread only.
QWidget *loadNibNamed(const QString &nibName, const QString &resourceDirectory,
                      QWidget *parent = nullptr);

} // namespace platform
