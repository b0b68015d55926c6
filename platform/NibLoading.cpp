#include "platform/NibLoading.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QUiLoader>
#include <QWidget>

namespace platform {
namespace {

QUiLoader &loader()
{
    // QUiLoader loads every Designer plug-in it can find when it is made; with no library
    // paths at that moment it finds none. The paths are restored for everyone else.
    static QUiLoader *instance = [] {
        const QStringList saved = QCoreApplication::libraryPaths();
        QCoreApplication::setLibraryPaths({});
        auto *made = new QUiLoader(QCoreApplication::instance());
        QCoreApplication::setLibraryPaths(saved);
        return made;
    }();
    return *instance;
}

} // namespace

QWidget *loadNibNamed(const QString &nibName, const QString &resourceDirectory, QWidget *parent)
{
    const QString base = QFileInfo(nibName).completeBaseName();
    QFile file(resourceDirectory + u'/' + base + u".ui");
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    return loader().load(&file, parent);
}

} // namespace platform
