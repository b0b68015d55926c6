// The whole record run over one title page, as a lookup runs it once the page has come: the
// legacy parser when the page has the older layout, then every field group. The full-credits
// and keywords pages come from the input's later pieces, or are absent.

#include "bench/FixedHost.h"
#include "details/FieldGroups.h"
#include "details/LegacyPage.h"
#include "details/TitlePage.h"
#include "details/TitleRecord.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzProcess.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FixedHost host;
    const FuzzInput input(data, size);
    const Text page = input.pageAt(0);
    const QString number = QStringLiteral("0000001");

    TitlePage titlePage(page, number, &host);
    titlePage.setFullCreditsLoader([&](const QString &) { return input.pageAt(1); });
    titlePage.setKeywordsLoader([&](const QString &) { return input.pageAt(2); });
    TitleRecord record;
    record.set(recordkey::imdb, number);
    record.setImageLocations({});
    if (page.contains(u"class=\"headerinline"))
        details::oldIMDBParsingStyle(page, number, record, &host,
                                     [&](const QString &) { return input.pageAt(3); });
    details::runFieldGroups(titlePage, record);

    // A key whose steps found nothing is absent, never stored empty-handed.
    const QVariantMap &values = record.values();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        fuzzCheck(it.value().isValid() && !it.value().isNull(), "no null value in the record");
    (void)record.toJson();
    return 0;
}
