#include "platform/CookieStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace platform {

// QNetworkCookieJar holds the domain, path and expiry rules; this subclass only opens its
// protected list for loading and saving.
class CookieStore::Jar : public QNetworkCookieJar
{
public:
    using QNetworkCookieJar::allCookies;
    using QNetworkCookieJar::setAllCookies;
};

namespace {

// The jar a manager owns: a thin forwarder to the shared store, safe to use on its thread.
class ForwardingJar : public QNetworkCookieJar
{
public:
    explicit ForwardingJar(CookieStore &store) : m_store(store) {}
    QList<QNetworkCookie> cookiesForUrl(const QUrl &url) const override
    {
        return m_store.cookiesForUrl(url);
    }
    bool setCookiesFromUrl(const QList<QNetworkCookie> &cookies, const QUrl &url) override
    {
        return m_store.setCookiesFromUrl(cookies, url);
    }

private:
    CookieStore &m_store;
};

} // namespace

CookieStore &CookieStore::shared()
{
    static CookieStore store;
    return store;
}

CookieStore::CookieStore() : m_jar(new Jar) {}

QNetworkCookieJar *CookieStore::newJar()
{
    return new ForwardingJar(*this);
}

QList<QNetworkCookie> CookieStore::cookiesForUrl(const QUrl &url)
{
    QMutexLocker lock(&m_mutex);
    loadLocked();
    return m_jar->cookiesForUrl(url);
}

bool CookieStore::setCookiesFromUrl(const QList<QNetworkCookie> &cookies, const QUrl &url)
{
    QMutexLocker lock(&m_mutex);
    loadLocked();
    const bool added = m_jar->setCookiesFromUrl(cookies, url);
    if (added)
        saveLocked();
    return added;
}

bool CookieStore::insertCookie(const QNetworkCookie &cookie)
{
    QMutexLocker lock(&m_mutex);
    loadLocked();
    const bool added = m_jar->insertCookie(cookie);
    if (added)
        saveLocked();
    return added;
}

QList<QNetworkCookie> CookieStore::allCookies()
{
    QMutexLocker lock(&m_mutex);
    loadLocked();
    return m_jar->allCookies();
}

void CookieStore::clear()
{
    QMutexLocker lock(&m_mutex);
    m_jar->setAllCookies({});
    m_loaded = true;
    saveLocked();
}

void CookieStore::setStorageFile(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    m_file = path;
    m_fileChosen = true;
    m_jar->setAllCookies({});
    m_loaded = false;
}

QString CookieStore::storageFile()
{
    QMutexLocker lock(&m_mutex);
    return m_file;
}

void CookieStore::loadLocked()
{
    if (m_loaded)
        return;
    m_loaded = true;
    if (!m_fileChosen) {
        // Chosen at first use, when the host has named its application.
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        if (!folder.isEmpty())
            m_file = folder + QStringLiteral("/cookies");
        m_fileChosen = true;
    }
    if (m_file.isEmpty())
        return;
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QList<QNetworkCookie> cookies;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        for (const QNetworkCookie &cookie : QNetworkCookie::parseCookies(line)) {
            if (!cookie.isSessionCookie() && cookie.expirationDate() > now)
                cookies.append(cookie);
        }
    }
    m_jar->setAllCookies(cookies);
}

void CookieStore::saveLocked()
{
    if (m_file.isEmpty())
        return;
    QByteArray data;
    for (const QNetworkCookie &cookie : m_jar->allCookies()) {
        if (!cookie.isSessionCookie())
            data += cookie.toRawForm(QNetworkCookie::Full) + '\n';
    }
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    QSaveFile file(m_file);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(data);
        file.commit();
    }
}

} // namespace platform
