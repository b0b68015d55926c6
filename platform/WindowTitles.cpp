#include "platform/WindowTitles.h"

#include <QWidget>

namespace platform {
namespace {

// Qt shows a doubled placeholder as one literal "[*]".
constexpr QStringView placeholder = u"[*]";
constexpr QStringView escapedPlaceholder = u"[*][*]";

} // namespace

void setPlainWindowTitle(QWidget *window, const QString &title)
{
    if (!window)
        return;
    QString escaped = title;
    escaped.replace(placeholder.toString(), escapedPlaceholder.toString());
    window->setWindowTitle(escaped);
}

QString plainWindowTitle(const QWidget *window)
{
    if (!window)
        return {};
    QString title = window->windowTitle();
    title.replace(escapedPlaceholder.toString(), placeholder.toString());
    return title;
}

} // namespace platform
