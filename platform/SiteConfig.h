#pragma once

#include <QList>
#include <QSslCertificate>
#include <QString>
#include <QUrl>

namespace platform::site {

// The movie database's host names. Defaults are the real site's; IMDB_WWW_HOST and
// IMDB_BARE_HOST override the two that requests go to.
QString wwwHost();
QString bareHost();
// The older image host, whose poster addresses the legacy title pages carry.
QString legacyImageHost();
// "http://" followed by the first label of the legacy image host and a dot.
QString legacyImagePrefix();
// A dot followed by the second label of the legacy image host.
QString legacyImageDomainFragment();
// The retailer's image hosts (HTTPS).
QString retailerUsImageHost();
QString retailerEuImageHost();

enum class Scheme {
    Http,
    Https
};
enum class Host {
    Www,
    Bare
};

// An address on the site: scheme, host kind and an already-encoded path with query.
QUrl address(Scheme scheme, Host host, const QString &encodedPathAndQuery);

// For tests and demos: IMDB_HTTP_PORT and IMDB_HTTPS_PORT replace the default ports 80 and
// 443 of every request to the site's hosts. Other addresses are returned unchanged.
QUrl routed(const QUrl &url);

// Certificates named by IMDB_CA_FILE (PEM), trusted in addition to the system's.
QList<QSslCertificate> extraCaCertificates();

// Whether a certificate chain a browser engine refused (leaf first) verifies once the
// certificates of IMDB_CA_FILE are trusted too. Call on the application's thread.
bool verifiesWithExtraCaCertificates(const QList<QSslCertificate> &chain);

} // namespace platform::site
