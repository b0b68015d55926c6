#include "tests/support/TestSite.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSemaphore>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <zlib.h>

#ifndef TEST_SITE_CERT_DIR
#error "TEST_SITE_CERT_DIR must name the folder of the test certificate"
#endif

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 202:
        return "Accepted";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

// About 200 MB of zeros in a few hundred kilobytes of gzip, made once.
const QByteArray &gzipBombBody()
{
    static const QByteArray body = [] {
        QByteArray out;
        z_stream stream{};
        deflateInit2(&stream, 9, Z_DEFLATED, 31, 9, Z_DEFAULT_STRATEGY);
        const QByteArray zeros(1 << 20, '\0');
        char buffer[1 << 16];
        for (int chunk = 0; chunk < 200; ++chunk) {
            stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(zeros.constData()));
            stream.avail_in = uInt(zeros.size());
            const int flush = chunk == 199 ? Z_FINISH : Z_NO_FLUSH;
            do {
                stream.next_out = reinterpret_cast<Bytef *>(buffer);
                stream.avail_out = sizeof buffer;
                deflate(&stream, flush);
                out.append(buffer, qsizetype(sizeof buffer - stream.avail_out));
            } while (stream.avail_out == 0);
        }
        deflateEnd(&stream);
        return out;
    }();
    return body;
}

QByteArray challengePage()
{
    return QByteArrayLiteral(
        "<!DOCTYPE html><html><head><title>Checking your browser</title></head><body>"
        "<p>Checking your browser.</p><script>document.cookie = \"site-check=passed; path=/\";"
        "location.reload();</script></body></html>");
}

} // namespace

// Lives on the site's thread: accepts connections on both ports and answers them.
class TestSiteServer : public QObject
{
public:
    // The servers are children, so that they move to the site's thread with their parent.
    explicit TestSiteServer(TestSite &site)
        : m_site(site), m_http(new QTcpServer(this)), m_https(new QSslServer(this))
    {}

    bool listen()
    {
        QFile certificate(TestSite::certificateFile());
        QFile key(QStringLiteral(TEST_SITE_CERT_DIR "/test-site.key"));
        if (!certificate.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
            return false;
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(QSslCertificate(certificate.readAll(), QSsl::Pem));
        tls.setPrivateKey(QSslKey(key.readAll(), QSsl::Rsa, QSsl::Pem));
        tls.setPeerVerifyMode(QSslSocket::VerifyNone);
        m_https->setSslConfiguration(tls);
        connect(m_http, &QTcpServer::pendingConnectionAvailable, this,
                [this] { acceptFrom(*m_http, false); });
        connect(m_https, &QTcpServer::pendingConnectionAvailable, this,
                [this] { acceptFrom(*m_https, true); });
        return m_http->listen(QHostAddress::LocalHost) && m_https->listen(QHostAddress::LocalHost);
    }

    quint16 httpPort() const { return m_http->serverPort(); }
    quint16 httpsPort() const { return m_https->serverPort(); }

private:
    void acceptFrom(QTcpServer &server, bool secure)
    {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            socket->setParent(this);
            auto buffer = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, secure, buffer] {
                buffer->append(socket->readAll());
                const qsizetype end = buffer->indexOf("\r\n\r\n");
                if (end < 0 || socket->property("answered").toBool())
                    return;
                socket->setProperty("answered", true);
                answer(socket, secure, buffer->left(end));
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void answer(QTcpSocket *socket, bool secure, const QByteArray &head)
    {
        TestSite::Request request;
        request.secure = secure;
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        request.target = requestLine.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                       lines[i].mid(colon + 1).trimmed());
        }
        m_site.record(request);

        std::optional<TestSite::Route> route = m_site.routeFor(request.target);
        int delay = 0;
        {
            QMutexLocker lock(&m_site.m_mutex);
            delay = m_site.m_globalDelay;
        }
        if (route)
            delay += route->delayMs;
        QPointer<QTcpSocket> guarded(socket);
        QTimer::singleShot(delay, this, [this, guarded, route, request] {
            if (guarded)
                respond(guarded, route, request);
        });
    }

    void respond(QTcpSocket *socket, const std::optional<TestSite::Route> &route,
                 const TestSite::Request &request)
    {
        if (!route) {
            send(socket, 404, "text/plain", "not here", {});
            return;
        }
        if (route->neverAnswer)
            return;
        if (!route->redirectTo.isEmpty()) {
            send(socket, 302, "text/plain", "moved", {{"Location", route->redirectTo.toUtf8()}});
            return;
        }
        if (route->challenge &&
            !request.headers.value("cookie").contains(TestSite::challengeCookie)) {
            send(socket, 202, "text/html; charset=utf-8", challengePage(),
                 {{"x-amzn-waf-action", "challenge"}});
            return;
        }
        if (route->gzipBomb) {
            send(socket, 200, route->contentType, gzipBombBody(), {{"Content-Encoding", "gzip"}});
            return;
        }
        if (route->slow) {
            writeHead(socket, route->status, route->contentType, -1, {});
            auto *drip = new QTimer(socket);
            connect(drip, &QTimer::timeout, socket, [socket] { socket->write(" "); });
            drip->start(100);
            return;
        }
        if (route->hugeBytes > 0) {
            writeHead(socket, route->status, route->contentType, route->hugeBytes, {});
            streamFiller(socket, route->hugeBytes);
            return;
        }
        const QByteArray body = m_site.fileBody(*route);
        if (route->truncateAt >= 0) {
            writeHead(socket, route->status, route->contentType, body.size(), {});
            socket->write(body.left(route->truncateAt));
            socket->disconnectFromHost();
            return;
        }
        if (route->reset) {
            writeHead(socket, route->status, route->contentType, body.size(), {});
            socket->write(body.left(body.size() / 2));
            socket->flush();
            socket->abort();
            return;
        }
        QList<std::pair<QByteArray, QByteArray>> extra;
        if (!route->setCookie.isEmpty())
            extra.append({"Set-Cookie", route->setCookie});
        send(socket, route->status, route->contentType, body, extra);
    }

    static void writeHead(QTcpSocket *socket, int status, const QByteArray &type, qint64 length,
                          const QList<std::pair<QByteArray, QByteArray>> &extra)
    {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) +
                          "\r\nContent-Type: " + type + "\r\nConnection: close\r\n";
        if (length >= 0)
            head += "Content-Length: " + QByteArray::number(length) + "\r\n";
        for (const auto &[name, value] : extra)
            head += name + ": " + value + "\r\n";
        socket->write(head + "\r\n");
    }

    static void send(QTcpSocket *socket, int status, const QByteArray &type, const QByteArray &body,
                     const QList<std::pair<QByteArray, QByteArray>> &extra)
    {
        writeHead(socket, status, type, body.size(), extra);
        socket->write(body);
        socket->disconnectFromHost();
    }

    // Writes `remaining` bytes of filler as the socket drains, so a huge body never sits in
    // memory at once.
    void streamFiller(QTcpSocket *socket, qint64 remaining)
    {
        static const QByteArray block(1 << 16, 'x');
        auto left = std::make_shared<qint64>(remaining);
        auto pump = [socket, left] {
            while (*left > 0 && socket->bytesToWrite() < (1 << 20)) {
                const qint64 n = std::min<qint64>(*left, block.size());
                socket->write(block.constData(), n);
                *left -= n;
            }
            if (*left == 0) {
                *left = -1;
                socket->disconnectFromHost();
            }
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, pump);
        pump();
    }

    TestSite &m_site;
    QTcpServer *m_http;
    QSslServer *m_https;
};

TestSite::TestSite(const QString &folder) : m_folder(folder) {}

TestSite::~TestSite()
{
    stop();
}

QString TestSite::certificateFile()
{
    return QStringLiteral(TEST_SITE_CERT_DIR "/test-site.pem");
}

bool TestSite::start()
{
    if (m_thread)
        return true;
    if (!m_folder.isEmpty()) {
        QFile table(m_folder + QStringLiteral("/routes.tsv"));
        if (table.open(QIODevice::ReadOnly | QIODevice::Text)) {
            for (const QString &line : QString::fromUtf8(table.readAll()).split(u'\n')) {
                if (auto route = parseRoute(line))
                    addRoute(*route);
            }
        }
    }
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("test site"));
    m_thread->start();
    bool listening = false;
    QSemaphore ready;
    auto *server = new TestSiteServer(*this);
    server->moveToThread(m_thread);
    QMetaObject::invokeMethod(server, [&] {
        listening = server->listen();
        m_httpPort = server->httpPort();
        m_httpsPort = server->httpsPort();
        ready.release();
    });
    ready.acquire();
    m_server = server;
    if (!listening)
        stop();
    return listening;
}

void TestSite::stop()
{
    if (!m_thread)
        return;
    QObject *server = m_server;
    m_server = nullptr;
    if (server)
        QMetaObject::invokeMethod(
            server, [server] { delete server; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

void TestSite::addRoute(const Route &route)
{
    QMutexLocker lock(&m_mutex);
    m_routes.prepend(route); // a later route wins over an earlier one for the same target
}

void TestSite::addRoute(const QString &target, const QString &file)
{
    Route route;
    route.target = target;
    route.file = file;
    addRoute(route);
}

std::optional<TestSite::Route> TestSite::parseRoute(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
        return std::nullopt;
    const QStringList columns = line.split(u'\t');
    if (columns.size() < 2)
        return std::nullopt;
    Route route;
    route.target = columns.at(0).trimmed();
    const QString file = columns.at(1).trimmed();
    if (file != u"-")
        route.file = file;
    for (const QString &word : columns.value(2).split(u' ', Qt::SkipEmptyParts)) {
        const QString name = word.section(u'=', 0, 0);
        const QString value = word.section(u'=', 1);
        if (name == u"status")
            route.status = value.toInt();
        else if (name == u"delay")
            route.delayMs = value.toInt();
        else if (name == u"truncate")
            route.truncateAt = value.toLongLong();
        else if (name == u"reset")
            route.reset = true;
        else if (name == u"redirect")
            route.redirectTo = value;
        else if (name == u"huge")
            route.hugeBytes = value.toLongLong();
        else if (name == u"slow")
            route.slow = true;
        else if (name == u"gzip-bomb")
            route.gzipBomb = true;
        else if (name == u"never")
            route.neverAnswer = true;
        else if (name == u"challenge")
            route.challenge = true;
        else if (name == u"type")
            route.contentType = value.toUtf8();
        else if (name == u"set-cookie")
            route.setCookie = value.toUtf8();
    }
    return route;
}

void TestSite::setGlobalDelay(int ms)
{
    QMutexLocker lock(&m_mutex);
    m_globalDelay = ms;
}

std::optional<TestSite::Route> TestSite::routeFor(const QByteArray &target) const
{
    const QString wanted = QString::fromUtf8(target);
    QMutexLocker lock(&m_mutex);
    for (const Route &route : m_routes) {
        if (route.target == wanted)
            return route;
    }
    for (const Route &route : m_routes) {
        if (route.target.endsWith(u'*') && wanted.startsWith(route.target.chopped(1)))
            return route;
    }
    return std::nullopt;
}

QByteArray TestSite::fileBody(const Route &route) const
{
    if (route.file.isEmpty())
        return route.body;
    QFile file(QDir(m_folder).filePath(route.file));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestSite::record(const Request &request)
{
    QMutexLocker lock(&m_mutex);
    m_requests.append(request);
}

QList<TestSite::Request> TestSite::requests() const
{
    QMutexLocker lock(&m_mutex);
    return m_requests;
}

void TestSite::clearRequests()
{
    QMutexLocker lock(&m_mutex);
    m_requests.clear();
}

int TestSite::requestCount(const QByteArray &target) const
{
    QMutexLocker lock(&m_mutex);
    return int(std::count_if(m_requests.cbegin(), m_requests.cend(),
                             [&](const Request &r) { return r.target == target; }));
}

void TestSite::applyEnvironment() const
{
    qputenv("IMDB_WWW_HOST", "localhost");
    qputenv("IMDB_BARE_HOST", "127.0.0.1");
    qputenv("IMDB_HTTP_PORT", QByteArray::number(m_httpPort));
    qputenv("IMDB_HTTPS_PORT", QByteArray::number(m_httpsPort));
    qputenv("IMDB_CA_FILE", certificateFile().toLocal8Bit());
}
