#include "details/RetailerImages.h"

#include "platform/SiteConfig.h"

namespace details {
namespace {

QString retailerImage(const QString &host, const QString &asin, QStringView variant)
{
    return u"https://" + host + u"/images/P/" + asin + u'.' + variant + u".LZZZZZZZ.jpg";
}

} // namespace

void amazonImageForAsin(const QString &asin, QStringList &images)
{
    namespace site = platform::site;
    // Each goes in at the front, so the last one inserted leads the list.
    images.insert(0, retailerImage(site::retailerUsImageHost(), asin, u"01"));
    images.insert(0, retailerImage(site::retailerEuImageHost(), asin, u"02"));
    images.insert(0, retailerImage(site::retailerEuImageHost(), asin, u"03"));
}

} // namespace details
