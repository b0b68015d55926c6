#include "apps/catalogue/CoverCache.h"

#include "platform/SyncHttp.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

CoverCache::CoverCache(QString folder, QObject *parent)
    : QObject(parent)
    , m_folder(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                                      QStringLiteral("/covers")
                                : std::move(folder))
{
    m_pool.setMaxThreadCount(2);
}

CoverCache::~CoverCache()
{
    m_pool.clear();
    m_pool.waitForDone();
}

QString CoverCache::fileFor(const QString &address) const
{
    const QByteArray hash =
        QCryptographicHash::hash(address.toUtf8(), QCryptographicHash::Sha1).toHex();
    return m_folder + u'/' + QString::fromLatin1(hash);
}

std::optional<QImage> CoverCache::cached(const QString &address) const
{
    if (address.isEmpty())
        return std::nullopt;
    QImage image(fileFor(address));
    if (image.isNull())
        return std::nullopt;
    return image;
}

std::optional<QImage> CoverCache::request(const QString &address)
{
    if (std::optional<QImage> image = cached(address))
        return image;
    const QUrl url(address);
    if (!url.isValid() || url.isRelative() || m_pending.contains(address) ||
        m_failed.contains(address))
        return std::nullopt;
    m_pending.insert(address);
    m_pool.start([this, address, url] {
        platform::HttpRequest request;
        request.url = url;
        request.timeout = std::chrono::seconds(20);
        const QByteArray data = platform::fetchSynchronously(request);
        // The cache outlives its downloads (its destructor waits for them), and a queued
        // call to an object that is gone by the time the GUI thread gets to it is dropped.
        QMetaObject::invokeMethod(
            this, [this, address, data] { downloaded(address, data); }, Qt::QueuedConnection);
    });
    return std::nullopt;
}

void CoverCache::downloaded(const QString &address, const QByteArray &data)
{
    m_pending.remove(address);
    QImage image;
    // Only a picture is kept: an error page saved as a cover would stick for good.
    if (!image.loadFromData(data)) {
        m_failed.insert(address);
        Q_EMIT coverFailed(address);
        return;
    }
    QDir().mkpath(m_folder);
    QSaveFile file(fileFor(address));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(data);
        file.commit();
    }
    Q_EMIT coverReady(address, image);
}
