#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>

class QThread;

// A small web server that plays the movie database's site for tests, demos and benchmarks.
// It serves a folder of pages over plain HTTP and HTTPS on loopback, on two free ports, and
// maps request targets (path and query, such as "/find?s=tt&q=Alien") to files through a
// route table. Each route may misbehave on purpose: answer late, answer a given status, cut
// its body short, reset the connection, redirect, send a huge or endless body, send a gzip
// body that expands enormously, or stand behind a browser check.
//
// The route table is the file "routes.tsv" in the folder, one route a line:
//     TARGET <TAB> FILE [<TAB> OPTIONS]
// FILE is relative to the folder ("-" for none); OPTIONS are space-separated words:
//     status=N  delay=MS  truncate=BYTES  reset  redirect=TARGET  huge=BYTES  slow
//     gzip-bomb  never  challenge  type=CONTENT-TYPE  set-cookie=NAME=VALUE;ATTRIBUTES
// A TARGET ending in "*" matches every target that begins with the rest. Lines starting
// with "#" are comments. A target without a route gets 404.
class TestSite : public QObject
{
    Q_OBJECT
public:
    struct Route
    {
        QString target;
        QString file;    // relative to the folder; empty for none
        QByteArray body; // used when there is no file
        int status = 200;
        int delayMs = 0;          // before the answer
        qint64 truncateAt = -1;   // announce the whole length, send this many bytes, close
        bool reset = false;       // send half the body, then reset the connection
        QString redirectTo;       // a 302 to this target on the same scheme and port
        qint64 hugeBytes = 0;     // a body of this many bytes
        bool slow = false;        // an endless body, one byte every 100 ms
        bool gzipBomb = false;    // a small gzip body that expands to about 1 GB
        bool neverAnswer = false; // read the request, answer nothing
        bool challenge = false;   // 202 browser check unless the check's cookie is sent
        QByteArray setCookie;     // a Set-Cookie header to send
        QByteArray contentType = "text/html; charset=utf-8";
    };

    struct Request
    {
        bool secure = false;
        QByteArray method;
        QByteArray target;
        QHash<QByteArray, QByteArray> headers; // names in lower case
    };

    // The cookie the browser check's script sets.
    static constexpr const char *challengeCookie = "site-check=passed";

    explicit TestSite(const QString &folder = {});
    ~TestSite() override;

    // Reads the folder's routes.tsv (if any) and listens on 127.0.0.1 on its own thread.
    bool start();
    void stop();

    quint16 httpPort() const { return m_httpPort; }
    quint16 httpsPort() const { return m_httpsPort; }

    void addRoute(const Route &route);
    // A route that serves a file of the site's folder, as it is.
    void addRoute(const QString &target, const QString &file);
    // Parses one line of the route table format.
    static std::optional<Route> parseRoute(const QString &line);
    // Every answer is held back this long, in addition to a route's own delay.
    void setGlobalDelay(int ms);

    QList<Request> requests() const;
    void clearRequests();
    // How many requests asked for `target` (exactly).
    int requestCount(const QByteArray &target) const;

    // The PEM certificate the HTTPS side presents, for IMDB_CA_FILE.
    static QString certificateFile();
    // Points the plug-in's site configuration at this server: IMDB_WWW_HOST, IMDB_BARE_HOST,
    // IMDB_HTTP_PORT, IMDB_HTTPS_PORT and IMDB_CA_FILE.
    void applyEnvironment() const;

private:
    friend class TestSiteServer;
    std::optional<Route> routeFor(const QByteArray &target) const;
    void record(const Request &request);
    QByteArray fileBody(const Route &route) const;

    QString m_folder;
    mutable QMutex m_mutex;
    QList<Route> m_routes;
    QList<Request> m_requests;
    int m_globalDelay = 0;
    QThread *m_thread = nullptr;
    QObject *m_server = nullptr;
    quint16 m_httpPort = 0;
    quint16 m_httpsPort = 0;
};
