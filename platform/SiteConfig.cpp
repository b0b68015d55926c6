#include "platform/SiteConfig.h"

#include <QFile>
#include <QSslConfiguration>
#include <QtGlobal>

namespace platform::site {
namespace {

QString fromEnvironment(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name).trimmed();
    return value.isEmpty() ? fallback : value;
}

int portOverride(const char *name)
{
    bool ok = false;
    const int port = qEnvironmentVariableIntValue(name, &ok);
    return ok && port > 0 && port < 65536 ? port : -1;
}

QString label(const QString &host, int index)
{
    return host.section(u'.', index, index);
}

} // namespace

QString wwwHost()
{
    return fromEnvironment("IMDB_WWW_HOST", QStringLiteral("www.imdb.com"));
}

QString bareHost()
{
    return fromEnvironment("IMDB_BARE_HOST", QStringLiteral("imdb.com"));
}

QString legacyImageHost()
{
    return QStringLiteral("ia.media-imdb.com");
}

QString legacyImagePrefix()
{
    return u"http://" + label(legacyImageHost(), 0) + u'.';
}

QString legacyImageDomainFragment()
{
    return u'.' + label(legacyImageHost(), 1);
}

QString retailerUsImageHost()
{
    return QStringLiteral("images.amazon.com");
}

QString retailerEuImageHost()
{
    return QStringLiteral("images-eu.amazon.com");
}

QUrl address(Scheme scheme, Host host, const QString &encodedPathAndQuery)
{
    const QString text = (scheme == Scheme::Https ? u"https://" : u"http://") +
                         (host == Host::Www ? wwwHost() : bareHost()) + encodedPathAndQuery;
    return routed(QUrl(text, QUrl::TolerantMode));
}

QUrl routed(const QUrl &url)
{
    const QString host = url.host();
    if (host.compare(wwwHost(), Qt::CaseInsensitive) != 0 &&
        host.compare(bareHost(), Qt::CaseInsensitive) != 0)
        return url;
    const bool secure = url.scheme() == u"https";
    const int defaultPort = secure ? 443 : 80;
    if (url.port(defaultPort) != defaultPort)
        return url;
    const int port = portOverride(secure ? "IMDB_HTTPS_PORT" : "IMDB_HTTP_PORT");
    if (port < 0)
        return url;
    QUrl result = url;
    result.setPort(port);
    return result;
}

QList<QSslCertificate> extraCaCertificates()
{
    const QString path = qEnvironmentVariable("IMDB_CA_FILE");
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QSslCertificate::fromData(file.readAll(), QSsl::Pem);
}

bool verifiesWithExtraCaCertificates(const QList<QSslCertificate> &chain)
{
    const QList<QSslCertificate> extra = extraCaCertificates();
    if (extra.isEmpty() || chain.isEmpty())
        return false;
    // The chain is verified against the default configuration's authorities, so the extra
    // ones join them (once; the process trusts them for its own requests anyway). Merely
    // holding a trusted certificate somewhere in the chain proves nothing: the chain must
    // verify, its leaf signed through to one of them.
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    const QList<QSslCertificate> known = configuration.caCertificates();
    bool added = false;
    for (const QSslCertificate &certificate : extra) {
        if (!known.contains(certificate)) {
            configuration.addCaCertificate(certificate);
            added = true;
        }
    }
    if (added)
        QSslConfiguration::setDefaultConfiguration(configuration);
    return QSslCertificate::verify(chain).isEmpty();
}

} // namespace platform::site
