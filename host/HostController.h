#pragma once

#include "host/Text.h"

#include <QString>
#include <QVariant>

#include <optional>

class QAction;
class QWidget;

// What the plug-in calls on the catalogue application that hosts it. The application makes
// one object that plays the host controller and hands it to host::setApplicationDelegate.

// Puts plug-in menu items into the host's menus.
class PluginManager
{
public:
    virtual ~PluginManager() = default;
    // The host's menu titled `menuTitle` takes the item over (creating the menu when needed);
    // the item keeps its target, action and tag (its data). Its "target" property names the
    // object whose validateMenuItem(QAction *) slot the host calls before showing the item.
    virtual void addMenuItem(QAction *item, const QString &menuTitle) = 0;
};

// Answers for the catalogue's user-defined fields. Called from any thread.
class FieldsController
{
public:
    virtual ~FieldsController() = default;
    // The record key of the catalogue's user-defined field titled `title`, or nothing when
    // the catalogue has no such field.
    virtual std::optional<QString> customFieldWithTitle(const QString &title) = 0;
};

// One catalogue entry, read and written by key: "imdb" (text), "title" (text),
// "theatrical" (a QDate, or anything else meaning none).
class CatalogueEntry
{
public:
    virtual ~CatalogueEntry() = default;
    virtual QVariant valueForKey(const QString &key) const = 0;
    virtual void setValueForKey(const QString &key, const QVariant &value) = 0;
};

// The host's browser view.
class BrowserView
{
public:
    virtual ~BrowserView() = default;
    virtual void loadLink(const QString &address, bool internalLink) = 0;
};

class HostController
{
public:
    virtual ~HostController() = default;
    virtual PluginManager *pluginManager() = 0;
    virtual FieldsController *fieldsController() = 0;
    // The entry selected in the catalogue, or null. Valid until control returns to the host.
    virtual CatalogueEntry *selectedEntry() = 0;
    virtual BrowserView *webView() = 0;
    // The parent of every alert and sheet.
    virtual QWidget *mainWindow() = 0;
};

namespace host {

// The application object's delegate: the host controller, reached from anywhere.
HostController *applicationDelegate();
void setApplicationDelegate(HostController *controller);

// The application's main window (the delegate's), or null.
QWidget *mainWindow();

// An entry's value as text: a text as it is, a number in decimal digits, else null.
Text entryText(const CatalogueEntry *entry, const QString &key);

} // namespace host
