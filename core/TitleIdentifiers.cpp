// Title numbers: the digits of a site title identifier, without its "tt".

#include "core/IMDB.h"

#include "host/HostController.h"
#include "platform/Cursor.h"
#include "platform/SiteConfig.h"
#include "platform/SyncHttp.h"
#include "platform/TextEncoding.h"

#include <QDate>

using namespace std::chrono_literals;
using platform::Cursor;

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The text with every character that is not a decimal digit taken off both ends.
Text trimmedToDigits(const Text &text)
{
    const QString &s = text.string();
    qsizetype start = 0;
    qsizetype end = s.size();
    while (start < end && !isAsciiDigit(s[start]))
        ++start;
    while (end > start && !isAsciiDigit(s[end - 1]))
        --end;
    return s.mid(start, end - start);
}

Text numberOfSevenOrEightDigits(const Text &digits)
{
    return (digits.length() == 7 || digits.length() == 8) ? digits : Text();
}

int yearOf(const QVariant &theatrical)
{
    const QDate date = theatrical.toDate();
    return theatrical.typeId() == QMetaType::QDate && date.isValid() ? date.year() : 0;
}

QString fetchFindPage(const QUrl &address)
{
    const QByteArray body = platform::fetchSynchronously({address, 20s, {}});
    QString text = platform::decodeLatin1(body);
    if (text.isEmpty()) {
        // Once more, letting the encoding be found from the bytes.
        text = platform::decodeUtf8OrLatin1(platform::fetchSynchronously({address, 20s, {}}));
    }
    return text;
}

} // namespace

Text IMDB::imdbNumberFromURL(const Text &url) const
{
    const QString marker = platform::site::bareHost() + u"/title/tt";
    const qsizetype at = url.indexOf(marker);
    if (at < 0)
        return {};
    const qsizetype start = at + marker.size();
    qsizetype end = url.indexOf(u"/", start);
    if (end < 0)
        end = url.length();
    if (end == start)
        return {};
    return url.string().mid(start, end - start);
}

Text IMDB::checkIMDBNumber(const Text &query) const
{
    if (query.isNull())
        return {};
    if (query.intValue() >= 1)
        return numberOfSevenOrEightDigits(trimmedToDigits(query));
    const qsizetype length = query.length();
    if ((length != 9 && length != 10) || !query.hasPrefix(u"tt"))
        return {};
    const Text digits = trimmedToDigits(query);
    if (digits.intValue() < 1)
        return {};
    return numberOfSevenOrEightDigits(digits);
}

QString IMDB::padIMDBNumber(const QString &number)
{
    if (number.size() > 6)
        return number;
    return QString(7 - number.size(), u'0') + number;
}

Text IMDB::getIMDBNumberForEntry(CatalogueEntry *entry)
{
    if (!entry)
        return {};
    const Text title = host::entryText(entry, QStringLiteral("title")).cutBefore(u"(");
    const QString escaped = platform::percentEscaped(title.string(), u"&+");
    const QUrl address =
        platform::site::address(platform::site::Scheme::Https, platform::site::Host::Www,
                                u"/find?tt=on&nm=on&mx=20&q=" + escaped);
    const QString text = fetchFindPage(address);
    const int entryYear = yearOf(entry->valueForKey(QStringLiteral("theatrical")));
    if (text.isEmpty())
        return {};

    const auto store = [entry](const QString &number) {
        entry->setValueForKey(QStringLiteral("imdb"), number);
        return Text(number);
    };

    Cursor cursor(text);
    if (text.contains(u"Genre:")) {
        // The site answered with a title page: its first title link names it.
        cursor.scanUpTo(u"/title/tt");
        if (cursor.atEnd())
            return {};
        cursor.advance(9);
        const Text number = cursor.captureUpTo(u"/");
        if (number.intValue() == 0)
            return {};
        return store(number.string());
    }

    static constexpr QStringView linkMarker = u"<a href=\"/title/tt";
    cursor.scanUpTo(linkMarker);
    if (cursor.atEnd())
        return {};
    // Like the scanner's capture variable, the candidate keeps its value when a capture
    // yields nothing: a picture link's number stays for the text link that follows it.
    Text candidate;
    while (true) {
        cursor.advance(linkMarker.size());
        if (auto number = cursor.captureUpTo(u"/"))
            candidate = *number;
        cursor.scanUpTo(u"\">");
        const Text linkText = Text(cursor.captureUpTo(u"</")).substringFromIndex(2);
        if (!linkText.hasPrefix(u"<")) {
            cursor.advance(1);
            const Text afterLink = cursor.captureUpTo(u"<");
            const int hitYear =
                afterLink.hasPrefix(u"/a> (") ? afterLink.substringFromIndex(5).intValue() : 0;
            const bool taken = entryYear == 0 || hitYear == 0 || hitYear == entryYear ||
                               hitYear == entryYear + 1 || hitYear == entryYear - 1;
            if (taken && !candidate.isNull())
                return store(candidate.string());
            candidate = {};
        }
        cursor.scanUpTo(linkMarker);
        if (cursor.atEnd()) {
            // A candidate still held here is a picture link's, never judged by its year.
            return {};
        }
    }
}
