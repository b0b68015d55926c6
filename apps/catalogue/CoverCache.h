#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>

#include <optional>

// Cover images by address, each downloaded once and kept as a file in the cache folder.
// Downloads run on a worker thread of the cache's own; the GUI thread never waits for one.
class CoverCache : public QObject
{
    Q_OBJECT
public:
    // Files go in `folder`; by default "covers" in the user's cache folder.
    explicit CoverCache(QString folder = {}, QObject *parent = nullptr);
    // Waits for downloads still running, so that none outlives the cache.
    ~CoverCache() override;

    // The cover, when it is on disk already.
    std::optional<QImage> cached(const QString &address) const;
    // The cover now when it is on disk; otherwise nothing now and coverReady (or
    // coverFailed) later. A download in progress is not started again, and an address that
    // failed is not tried again in this session.
    std::optional<QImage> request(const QString &address);

    QString fileFor(const QString &address) const;
    QString folder() const { return m_folder; }

Q_SIGNALS:
    void coverReady(const QString &address, const QImage &image);
    void coverFailed(const QString &address);

private:
    void downloaded(const QString &address, const QByteArray &data);

    QString m_folder;
    QSet<QString> m_pending;
    QSet<QString> m_failed;
    QThreadPool m_pool;
};
