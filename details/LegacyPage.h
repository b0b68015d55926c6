#pragma once

#include "host/Text.h"

#include <functional>

class FieldsController;
class TitleRecord;

namespace details {

// Gives the plot-summary page of a title number (null when it could not be read).
using PlotSummaryLoader = std::function<Text(const QString &titleNumber)>;

// Reads a title page of the site's older layout into the record, before the field groups
// run; every value it finds is written over what the record held. The plot-summary page is
// requested from the site.
void oldIMDBParsingStyle(const Text &page, const QString &titleNumber, TitleRecord &record,
                         FieldsController *fields);
// The same with the plot-summary page taken from `plotSummary`, so that the parser can run
// over saved pages without a network.
void oldIMDBParsingStyle(const Text &page, const QString &titleNumber, TitleRecord &record,
                         FieldsController *fields, const PlotSummaryLoader &plotSummary);

} // namespace details
