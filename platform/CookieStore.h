#pragma once

#include <QList>
#include <QMutex>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QString>
#include <QUrl>

namespace platform {

// The one cookie store of the process, shared by every request on every thread and by the
// browser engine. Persistent cookies are kept in a file between runs.
class CookieStore
{
public:
    static CookieStore &shared();

    QList<QNetworkCookie> cookiesForUrl(const QUrl &url);
    bool setCookiesFromUrl(const QList<QNetworkCookie> &cookies, const QUrl &url);
    bool insertCookie(const QNetworkCookie &cookie);
    QList<QNetworkCookie> allCookies();
    void clear();

    // The file persistent cookies are kept in; by default "cookies" in the application's
    // local data folder. An empty path keeps cookies in memory only.
    void setStorageFile(const QString &path);
    QString storageFile();

    // A jar for one QNetworkAccessManager that reads and writes this store.
    QNetworkCookieJar *newJar();

private:
    CookieStore();
    void loadLocked();
    void saveLocked();

    class Jar;
    QMutex m_mutex;
    Jar *m_jar;
    QString m_file;
    bool m_fileChosen = false;
    bool m_loaded = false;
};

} // namespace platform
