#include "details/TitlePageCast.h"

#include "details/Credits.h"
#include "details/TitlePage.h"
#include "details/TitleRecord.h"

namespace details {

void addTitlePageCast(TitlePage &page, TitleRecord &record)
{
    record.set(recordkey::credits, QVariant(QVariantList()));
    newNewAddCreditsFromSection(page.page, record);
}

} // namespace details
