#include "windows/SidePageFetch.h"

#include "platform/SiteConfig.h"
#include "platform/SyncHttp.h"
#include "platform/TextEncoding.h"

using namespace platform;
using namespace std::chrono_literals;

QString fetchSidePage(const QString &titleNumber, QStringView page)
{
    // A stored number is the user's text: keep it from reaching past its path segment.
    const QString number = percentEscaped(titleNumber, u"/?");
    const QUrl address =
        site::address(site::Scheme::Http, site::Host::Bare, u"/title/tt" + number + u'/' + page);
    return decodeUtf8OrLatin1(fetchSynchronously({address, 25s, {}}));
}
