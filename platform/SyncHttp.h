#pragma once

#include <QByteArray>
#include <QList>
#include <QUrl>

#include <chrono>
#include <utility>

namespace platform {

struct HttpRequest
{
    QUrl url;
    std::chrono::milliseconds timeout{std::chrono::seconds(60)};
    // Header fields of the caller's own; without a User-Agent the platform's default goes out.
    QList<std::pair<QByteArray, QByteArray>> headers;
};

// The limits every request shares.
struct HttpLimits
{
    // A body larger than this is abandoned and counts as no body.
    static constexpr qint64 maxBodyBytes = qint64(32) * 1024 * 1024;
    static constexpr int maxRedirects = 16;
};

// One blocking GET. Redirects are followed, compressed bodies decoded, cookies sent and
// kept in the shared cookie store. The response status is not looked at: the body of any
// HTTP answer is returned. A failure of any kind (refused, reset, time-out, TLS failure,
// redirect loop, over-size body) gives an empty result, never an exception.
//
// Usable on the main thread, where a local event loop that takes no user input keeps the
// interface painting while no command can re-enter, and on any other thread, each with its
// own network manager. The timeout bounds the whole exchange.
QByteArray fetchSynchronously(const HttpRequest &request);

} // namespace platform
