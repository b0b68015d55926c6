#pragma once

#include <QDate>
#include <QStringView>

#include <optional>

namespace platform {

// A calendar day written in English words, as release dates are written on pages:
//   "14 October 1994", "October 14, 1994", "14 Oct 1994", "Oct. 14, 1994", "14th October 1994",
//   "Friday, 14 October 1994", "October 1994" (the first of the month), "1994" (January 1),
//   and the numeric "1994-10-14".
// Month and weekday names are read whole or as their usual abbreviations, in any letter case;
// commas and white space separate the words. The year must have exactly four digits. An
// unknown word, a day the month does not have or anything left over gives nothing, so that
// a text that is not a date is never taken for one.
std::optional<QDate> dateFromNaturalLanguage(QStringView text);

} // namespace platform
