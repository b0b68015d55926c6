// The awards window's page walk over any page: rows hold texts under the window's keys only.

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzProcess.h"
#include "windows/AwardsPage.h"

#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QSet<QString> keys = {QStringLiteral("year"), QStringLiteral("award"),
                                       QStringLiteral("result"), QStringLiteral("category"),
                                       QStringLiteral("persons")};
    const FuzzInput input(data, size);
    const QString page = input.wholePage();
    const auto rows = awardRowsFromPage(page);
    fuzzCheck(rows.has_value() == page.contains(u">Awards<"), "awards page recognised");
    if (!rows)
        return 0;
    for (const QVariantMap &row : *rows) {
        for (auto it = row.cbegin(); it != row.cend(); ++it) {
            fuzzCheck(keys.contains(it.key()), "a row's key is a column");
            fuzzCheck(it.value().typeId() == QMetaType::QString, "a row's value is a text");
        }
    }
    return 0;
}
