#pragma once

#include <QDate>
#include <QStringView>

#include <optional>

namespace platform {

// Dates written in a fixed numeric pattern, read strictly: the whole text must match the
// pattern, with no white space around it, and name a real calendar day.

// "yyyy": exactly four decimal digits; the date is January 1 of that year.
std::optional<QDate> dateFromYearPattern(QStringView text);
// "yyyy-MM-dd": four, two and two decimal digits joined by hyphens.
std::optional<QDate> dateFromDayPattern(QStringView text);

} // namespace platform
