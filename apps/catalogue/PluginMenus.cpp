#include "apps/catalogue/PluginMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

PluginMenus::PluginMenus(QMenuBar *bar, QAction *insertBefore, QObject *parent)
    : QObject(parent), m_bar(bar), m_insertBefore(insertBefore)
{}

void PluginMenus::addMenuItem(QAction *item, const QString &menuTitle)
{
    if (!item || !m_bar)
        return;
    QPointer<QMenu> &menu = m_menus[menuTitle];
    if (!menu) {
        menu = new QMenu(menuTitle, m_bar);
        if (m_insertBefore)
            m_bar->insertMenu(m_insertBefore, menu);
        else
            m_bar->addMenu(menu);
        QMenu *shown = menu;
        connect(menu, &QMenu::aboutToShow, this, [shown] { validateItems(shown); });
    }
    // The menu owns the item from now on; the plug-in keeps no reference to it.
    item->setParent(menu);
    menu->addAction(item);
}

void PluginMenus::validateItems(QMenu *menu)
{
    if (!menu)
        return;
    for (QAction *item : menu->actions()) {
        QObject *target = item->property("target").value<QObject *>();
        if (!target)
            continue;
        bool enabled = true;
        if (QMetaObject::invokeMethod(target, "validateMenuItem", Qt::DirectConnection,
                                      Q_RETURN_ARG(bool, enabled), Q_ARG(QAction *, item)))
            item->setEnabled(enabled);
    }
}
