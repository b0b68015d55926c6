#pragma once

#include "tests/support/TestSite.h"

// Routes of the test site for the side windows' pages.

// `target` answered with the saved page `file` (relative to tests/data).
inline TestSite::Route pageRoute(const QString &target, const QString &file)
{
    TestSite::Route route;
    route.target = target;
    route.file = file;
    return route;
}

// `target` answered with `body`.
inline TestSite::Route bodyRoute(const QString &target, const QByteArray &body)
{
    TestSite::Route route;
    route.target = target;
    route.body = body;
    return route;
}
