#include "details/LegacyPage.h"

#include "details/TitleRecord.h"

namespace details {

void oldIMDBParsingStyle(const Text &, const QString &, TitleRecord &, FieldsController *) {}

} // namespace details
