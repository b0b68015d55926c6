#pragma once

#include "host/HostController.h"

#include <QHash>
#include <QMenu>
#include <QObject>
#include <QPointer>

class QAction;
class QMenuBar;

// The plug-in manager: puts each plug-in menu item into the menu bar's menu of the item's
// menu title, making the menu on first use. Before a menu shows, every item that names a
// target is validated by that target's validateMenuItem(QAction *) slot, which may enable,
// disable or check it.
class PluginMenus : public QObject, public PluginManager
{
    Q_OBJECT
public:
    // New menus go before `insertBefore` (a menu's action in `bar`), or at the end.
    PluginMenus(QMenuBar *bar, QAction *insertBefore, QObject *parent = nullptr);

    void addMenuItem(QAction *item, const QString &menuTitle) override;

    QMenu *menu(const QString &title) const { return m_menus.value(title); }

    // Asks each item's target about it, as before the menu shows.
    static void validateItems(QMenu *menu);

private:
    QPointer<QMenuBar> m_bar;
    QPointer<QAction> m_insertBefore;
    QHash<QString, QPointer<QMenu>> m_menus;
};
