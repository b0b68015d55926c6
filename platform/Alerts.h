#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace platform {

// An alert sheet on `window`: modal to that window only, one default "OK" button, no
// callback. Returns at once; the alert deletes itself when dismissed. Without a window the
// alert stands alone (application-modal).
QMessageBox *beginAlertSheet(QWidget *window, const QString &title, const QString &message);

} // namespace platform
