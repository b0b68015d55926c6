#pragma once

#include "tests/support/TestSite.h"

#include <QElapsedTimer>
#include <QtGlobal>

#include <functional>

// Routes of the test site that misbehave in one way each, and the clock a fault test reads.

// A route for `target` from a saved page (relative to tests/data) or a body, changed by
// `fault`.
inline TestSite::Route faultRoute(const QString &target, const QString &file,
                                  const std::function<void(TestSite::Route &)> &fault = {})
{
    TestSite::Route route;
    route.target = target;
    route.file = file;
    if (fault)
        fault(route);
    return route;
}

// Each fault's outcome goes to the test's output, so that a run of the fault tests shows
// what every fault did and how long it took.
inline void reportFault(const char *fault, const QString &outcome, const QElapsedTimer &timer)
{
    qInfo("fault \"%s\": %s after %lld ms", fault, qPrintable(outcome), timer.elapsed());
}

// Whether something that waited for a request's time-out of `limitMs` ended at that limit:
// not before it (the answer was waited for) and not long after it (the lookup or window went
// on). The slack after it covers the reading of the pages that did come, in a sanitizer
// build too.
inline bool endedAtTimeLimit(qint64 elapsedMs, qint64 limitMs)
{
    constexpr qint64 slackMs = 8000;
    return elapsedMs >= limitMs && elapsedMs < limitMs + slackMs;
}
