#include "apps/shared/PluginBundles.h"

#include "host/MyVellumPlugin.h"
#include "host/VellumPlugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

namespace hostapp {

QString defaultPlugInsDirectory()
{
    QString configured = qEnvironmentVariable("IMDB_PLUGINS_DIR");
    if (!configured.isEmpty())
        return configured;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../PlugIns");
}

LoadedPlugin loadPlugIn(const QString &path, QString *error)
{
    LoadedPlugin loaded;
    loaded.path = path;
    QPluginLoader loader(path);
    QObject *instance = loader.instance();
    if (!instance) {
        if (error)
            *error = loader.errorString();
        return loaded;
    }
    loaded.instance = instance;
    loaded.plugin = qobject_cast<MyVellumPlugin *>(instance);
    loaded.interface = qobject_cast<VellumPlugin *>(instance);
    if ((!loaded.plugin || !loaded.interface) && error)
        *error = QStringLiteral("%1 is not a catalogue plug-in").arg(path);
    return loaded;
}

QList<LoadedPlugin> loadPlugInBundles(const QString &directory, QStringList *errors)
{
    QList<LoadedPlugin> plugins;
    const QDir folder(directory);
    const QStringList bundles =
        folder.entryList({QStringLiteral("*.bundle")}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &bundle : bundles) {
        const QDir bundleDir(folder.filePath(bundle));
        for (const QString &library : bundleDir.entryList({QStringLiteral("*.so")}, QDir::Files)) {
            QString error;
            LoadedPlugin loaded = loadPlugIn(bundleDir.filePath(library), &error);
            if (loaded.plugin && loaded.interface)
                plugins.append(loaded);
            else if (errors)
                errors->append(error);
        }
    }
    return plugins;
}

} // namespace hostapp
