#pragma once

#include <QList>
#include <QString>

class MyVellumPlugin;
class QObject;
class VellumPlugin;

// A loaded plug-in bundle: its principal object seen through the two faces a host uses.
struct LoadedPlugin
{
    QString path;
    QObject *instance = nullptr;
    MyVellumPlugin *plugin = nullptr;
    VellumPlugin *interface = nullptr;
};

namespace hostapp {

// The folder the hosts look for bundles in: IMDB_PLUGINS_DIR, else "PlugIns" beside the
// program's own folder (build/bin → build/PlugIns).
QString defaultPlugInsDirectory();

// Loads every bundle ("*.bundle" folders holding one library) in `directory` with
// QPluginLoader and makes one instance of each principal class. A bundle that fails to load
// is reported in `errors` and skipped.
QList<LoadedPlugin> loadPlugInBundles(const QString &directory, QStringList *errors = nullptr);

// Loads the one library at `path`.
LoadedPlugin loadPlugIn(const QString &path, QString *error = nullptr);

} // namespace hostapp
