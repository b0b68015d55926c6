#include "platform/SyncHttp.h"

#include "platform/CookieStore.h"
#include "platform/SiteConfig.h"
#include "platform/SystemLog.h"
#include "platform/WebView.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslConfiguration>
#include <QThread>
#include <QTimer>

namespace platform {
namespace {

// The application thread's manager goes while the application is being taken down, before
// its instance is gone: the manager's own network thread still needs it to close cleanly.
QPointer<QNetworkAccessManager> &applicationThreadManager()
{
    static QPointer<QNetworkAccessManager> manager;
    return manager;
}

void deleteApplicationThreadManager()
{
    delete applicationThreadManager().data();
}

// One manager per thread. On the application's thread the application takes it down; on
// other threads it goes when the thread ends.
class ThreadManager
{
public:
    ~ThreadManager()
    {
        if (m_manager && !m_ownedByApplication)
            delete m_manager.data();
    }

    QNetworkAccessManager &get()
    {
        if (!m_manager) {
            auto *manager = new QNetworkAccessManager;
            QNetworkCookieJar *jar = CookieStore::shared().newJar();
            manager->setCookieJar(jar);
            manager->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
            QCoreApplication *app = QCoreApplication::instance();
            m_ownedByApplication = app && app->thread() == QThread::currentThread();
            if (m_ownedByApplication) {
                manager->setParent(app);
                applicationThreadManager() = manager;
                qAddPostRoutine(deleteApplicationThreadManager);
            }
            m_manager = manager;
        }
        return *m_manager;
    }

private:
    QPointer<QNetworkAccessManager> m_manager;
    bool m_ownedByApplication = false;
};

QNetworkAccessManager &managerForThisThread()
{
    thread_local ThreadManager holder;
    return holder.get();
}

QByteArray defaultUserAgent()
{
    QString name = QCoreApplication::applicationName();
    if (name.isEmpty())
        name = QStringLiteral("imdb-lookup");
    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty())
        version = QStringLiteral("1.0");
    return (name + u'/' + version + u" QtNetwork/" + QString::fromLatin1(qVersion())).toUtf8();
}

QNetworkRequest makeRequest(const HttpRequest &request)
{
    QNetworkRequest req(site::routed(request.url));
    req.setMaximumRedirectsAllowed(HttpLimits::maxRedirects);
    bool hasUserAgent = false;
    for (const auto &[name, value] : request.headers) {
        req.setRawHeader(name, value);
        hasUserAgent = hasUserAgent || name.compare("User-Agent", Qt::CaseInsensitive) == 0;
    }
    if (!hasUserAgent)
        req.setRawHeader("User-Agent", defaultUserAgent());
    const QList<QSslCertificate> extra = site::extraCaCertificates();
    if (!extra.isEmpty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(extra);
        req.setSslConfiguration(ssl);
    }
    return req;
}

// An HTTP answer that arrived whole, whatever its status, as opposed to a transport failure.
// Qt reports an error status (404, 500) as a content or server error; any other error, or
// one with a successful status (a body that failed to decompress), broke the transfer.
bool isCompleteHttpAnswer(const QNetworkReply &reply)
{
    if (reply.error() == QNetworkReply::NoError)
        return true;
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const int code = int(reply.error());
    const bool contentOrServerError = (code >= 201 && code <= 299) || (code >= 401 && code <= 499);
    return status >= 400 && contentOrServerError;
}

// A body shorter than its announced length was cut off: Qt may end a reply whose connection
// was reset half-way with no error. The length counts the bytes as sent, so it is only
// compared when the body came without a content encoding.
bool isCutShort(const QNetworkReply &reply, qsizetype received)
{
    if (!reply.rawHeader("Content-Encoding").trimmed().isEmpty())
        return false;
    bool ok = false;
    const qint64 announced = reply.rawHeader("Content-Length").trimmed().toLongLong(&ok);
    return ok && received < announced;
}

struct Answer
{
    QByteArray body;
    // The site's bot check: 202 with the challenge header, served to a browser only.
    bool browserCheck = false;
};

Answer fetchOnce(const HttpRequest &request)
{
    QNetworkReply *reply = managerForThisThread().get(makeRequest(request));
    QByteArray body;
    bool abandoned = false;

    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        body += reply->readAll();
        if (body.size() > HttpLimits::maxBodyBytes) {
            abandoned = true;
            reply->abort();
        }
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; a time limit is a promise to the caller.
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        abandoned = true;
        reply->abort();
    });
    deadline.start(request.timeout);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (!abandoned)
        body += reply->readAll();
    Answer answer;
    const bool usable = !abandoned && isCompleteHttpAnswer(*reply) &&
                        body.size() <= HttpLimits::maxBodyBytes && !isCutShort(*reply, body.size());
    if (usable)
        answer.body = body;
    answer.browserCheck =
        usable && reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 202 &&
        reply->rawHeader("x-amzn-waf-action").trimmed().compare("challenge", Qt::CaseInsensitive) ==
            0;
    delete reply;
    return answer;
}

} // namespace

QByteArray fetchSynchronously(const HttpRequest &request)
{
    if (!QCoreApplication::instance() || !request.url.isValid())
        return {};
    Answer answer = fetchOnce(request);
    if (!answer.browserCheck)
        return answer.body;
    // The site serves the page only to a browser that has run its check. A real browser
    // engine, when the host has one, runs it once; the cookies it receives are in the shared
    // store, and the request is made again with them.
    if (!passBrowserCheck(site::routed(request.url))) {
        systemLog(
            QStringLiteral("The site asked for a browser check of %1, and there is no browser "
                           "engine to pass it")
                .arg(request.url.toString()));
        return {};
    }
    answer = fetchOnce(request);
    return answer.browserCheck ? QByteArray() : answer.body;
}

} // namespace platform
