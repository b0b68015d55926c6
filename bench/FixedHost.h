#pragma once

#include "host/HostController.h"

#include <QHash>

// A host for benchmarks: every user-defined field the field groups ask for exists, so every
// custom-field path runs; nothing else is answered.
class FixedHost : public HostController, public FieldsController
{
public:
    FixedHost() { host::setApplicationDelegate(this); }
    ~FixedHost() override { host::setApplicationDelegate(nullptr); }

    PluginManager *pluginManager() override { return nullptr; }
    FieldsController *fieldsController() override { return this; }
    CatalogueEntry *selectedEntry() override { return nullptr; }
    BrowserView *webView() override { return nullptr; }
    QWidget *mainWindow() override { return nullptr; }
    std::optional<QString> customFieldWithTitle(const QString &title) override { return title; }
};
