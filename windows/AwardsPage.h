#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

// The awards page cut into rows, one per category won or nominated, in page order: events,
// then outcomes within an event, then categories within an outcome. Each row holds texts
// under "year", "award", "result", "category" and "persons" (the names joined by ", ");
// a value the page lacks is left out.
//
// Nothing when the page is no awards page (it lacks ">Awards<"); an empty list when it is
// one without any award event.
std::optional<QList<QVariantMap>> awardRowsFromPage(const QString &page);
