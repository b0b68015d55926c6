#include "platform/Alerts.h"

#include <QMessageBox>

namespace platform {

QMessageBox *beginAlertSheet(QWidget *window, const QString &title, const QString &message)
{
    auto *alert = new QMessageBox(window);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    alert->setIcon(QMessageBox::Warning);
    alert->setTextFormat(Qt::PlainText);
    alert->setWindowTitle(title);
    alert->setText(title);
    alert->setInformativeText(message);
    alert->setStandardButtons(QMessageBox::NoButton);
    alert->setDefaultButton(alert->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    alert->open();
    return alert;
}

} // namespace platform
