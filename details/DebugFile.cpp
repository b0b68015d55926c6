#include "details/DebugFile.h"

#include "platform/SystemLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>

namespace details {

QString debugFilePath()
{
    return QDir::homePath() + QStringLiteral("/Desktop/Tavrin Debug.txt");
}

void addToDebugFile(const QString &text)
{
    // Lookups may run on several threads; two that both found no file would each write a
    // new one, and the second would replace the first.
    static QMutex mutex;
    QMutexLocker lock(&mutex);

    const QString path = debugFilePath();
    const QByteArray data = text.toUtf8();
    if (QFileInfo::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
            platform::systemLog(QStringLiteral("Can't open fileHandle"));
            return;
        }
        file.write(data);
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        platform::systemLog(QStringLiteral("Can't Write"));
}

} // namespace details
