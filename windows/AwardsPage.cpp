#include "windows/AwardsPage.h"

#include "host/Text.h"

namespace {

const QString yearKey = QStringLiteral("year");
const QString awardKey = QStringLiteral("award");
const QString resultKey = QStringLiteral("result");
const QString categoryKey = QStringLiteral("category");
const QString personsKey = QStringLiteral("persons");

// The row's first values. They go in as one list that the first missing value ends, so an
// event without a year gives a row without award and result too.
QVariantMap leadingValues(const Text &year, const Text &award, const Text &result)
{
    QVariantMap row;
    const std::pair<const QString &, const Text &> values[] = {
        {yearKey, year}, {awardKey, award}, {resultKey, result}};
    for (const auto &[key, value] : values) {
        if (value.isNull())
            break;
        row.insert(key, value.string());
    }
    return row;
}

QStringList linkedNames(const Text &description)
{
    QStringList names;
    for (const QString &link : description.stringsBetween(u"<a", u"</a")) {
        const Text name = Text(link).stringBetween(u">", u"<").stringByCleaningHTML();
        if (name.isNotEmpty())
            names.append(name.string());
    }
    return names;
}

void appendOutcomeRows(const Text &block, const Text &outcome, const Text &year, const Text &award,
                       QList<QVariantMap> &rows)
{
    const Text result = outcome.stringBetween(u">", u"</").stringByCleaningHTML();
    const Text fallbackCategory =
        block.stringBetween(u">", u"</", u"award_category\"").stringByCleaningHTML();
    // One marker as both start and end: the pieces between consecutive occurrences.
    const QStringList descriptions =
        outcome.stringsBetween(u"award_description", u"award_description");
    if (descriptions.isEmpty()) {
        rows.append(leadingValues(year, award, result));
        return;
    }
    for (const QString &piece : descriptions) {
        const Text description(piece);
        Text category = description.stringBetween(u">", u"<").stringByCleaningHTML();
        if (!category.isNotEmpty())
            category = fallbackCategory;
        QVariantMap row = leadingValues(year, award, result);
        if (!category.isNull())
            row.insert(categoryKey, category.string());
        const QStringList names = linkedNames(description);
        if (!names.isEmpty())
            row.insert(personsKey, names.join(u", "));
        rows.append(row);
    }
}

} // namespace

std::optional<QList<QVariantMap>> awardRowsFromPage(const QString &page)
{
    const Text text(page);
    if (!text.contains(u">Awards<"))
        return std::nullopt;
    // No page holds the end marker: the awards run to the end of the page.
    const Text awards = text.stringBetween(u">Awards<", u"ENBD&*");

    QList<QVariantMap> rows;
    for (const QString &piece : awards.stringsBetween(u">", u"</table>")) {
        const Text block(piece);
        const Text award = block.stringBetween(u"h3>", u"<").stringByCleaningHTML();
        const Text year = block.stringBetween(u">", u"</", u"event_year\"").stringByCleaningHTML();
        const QStringList outcomes =
            block.stringsBetween(u"title_award_outcome", u"title_award_outcome");
        for (const QString &outcome : outcomes)
            appendOutcomeRows(block, Text(outcome), year, award, rows);
    }
    return rows;
}
