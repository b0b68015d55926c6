#include "windows/WindowFront.h"

#include <QGuiApplication>
#include <QWidget>

void bringToFront(QWidget *window)
{
    if (!window)
        return;
    window->show();
    // Windows drawn offscreen have no stacking order to change.
    if (QGuiApplication::platformName() != u"offscreen")
        window->raise();
    window->activateWindow();
}
