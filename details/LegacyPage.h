#pragma once

#include "host/Text.h"

class FieldsController;
class TitleRecord;

namespace details {

// Reads a title page of the site's older layout into the record, before the field groups
// run; every value it finds is written over what the record held.
void oldIMDBParsingStyle(const Text &page, const QString &titleNumber, TitleRecord &record,
                         FieldsController *fields);

} // namespace details
