// The legacy parser over any page, with the plot-summary page from the input's second piece
// (or none).

#include "bench/FixedHost.h"
#include "details/LegacyPage.h"
#include "details/TitleRecord.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzProcess.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FixedHost host;
    const FuzzInput input(data, size);
    TitleRecord record;
    record.setImageLocations({});
    details::oldIMDBParsingStyle(input.pageAt(0), QStringLiteral("0000001"), record, &host,
                                 [&](const QString &) { return input.pageAt(1); });
    const QVariantMap &values = record.values();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        fuzzCheck(it.value().isValid() && !it.value().isNull(), "no null value in the record");
    const QVariant rating = record.value(recordkey::myRating);
    fuzzCheck(!rating.isValid() || (rating.toUInt() >= 1 && rating.toUInt() <= 10),
              "a personal rating is one to ten stars");
    return 0;
}
