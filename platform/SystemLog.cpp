#include "platform/SystemLog.h"

#include <QList>
#include <QMutex>

#include <cstdio>

namespace platform {
namespace {

QMutex &logMutex()
{
    static QMutex mutex;
    return mutex;
}

QList<LogCapture *> &captures()
{
    static QList<LogCapture *> list;
    return list;
}

} // namespace

void systemLog(const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    QMutexLocker lock(&logMutex());
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
    for (LogCapture *capture : captures())
        capture->m_lines.append(line);
}

LogCapture::LogCapture()
{
    QMutexLocker lock(&logMutex());
    captures().append(this);
}

LogCapture::~LogCapture()
{
    QMutexLocker lock(&logMutex());
    captures().removeOne(this);
}

QStringList LogCapture::lines() const
{
    QMutexLocker lock(&logMutex());
    return m_lines;
}

} // namespace platform
