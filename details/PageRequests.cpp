#include "details/PageRequests.h"

#include "platform/SiteConfig.h"
#include "platform/SyncHttp.h"
#include "platform/TextEncoding.h"
#include "platform/WebView.h"

using namespace std::chrono_literals;
using namespace platform;

namespace details {
namespace {

QString titlePath(const QString &titleNumber, QStringView page = {})
{
    return u"/title/tt" + titleNumber + page;
}

Text utf8Page(const QUrl &address)
{
    const QByteArray body = fetchSynchronously({address, 15s, {}});
    if (body.isEmpty())
        return {};
    return Text(decodeUtf8(body));
}

} // namespace

QUrl titlePageAddress(const QString &titleNumber)
{
    return site::address(site::Scheme::Https, site::Host::Www, titlePath(titleNumber));
}

QByteArray fetchTitlePage(const QUrl &address)
{
    return fetchSynchronously({address, 30s, {{"User-Agent", browserUserAgent()}}});
}

Text fetchFullCreditsPage(const QString &titleNumber)
{
    return utf8Page(site::address(site::Scheme::Https, site::Host::Www,
                                  titlePath(titleNumber, u"/fullcredits")));
}

Text fetchKeywordsPage(const QString &titleNumber)
{
    return utf8Page(
        site::address(site::Scheme::Https, site::Host::Www, titlePath(titleNumber, u"/keywords")));
}

Text fetchPlotSummaryPage(const QString &titleNumber)
{
    const QByteArray body =
        fetchSynchronously({site::address(site::Scheme::Http, site::Host::Www,
                                          titlePath(titleNumber, u"/plotsummary")),
                            10s,
                            {}});
    if (body.isEmpty())
        return {};
    return decodeLatin1(body);
}

} // namespace details
