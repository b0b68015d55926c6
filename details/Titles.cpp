#include "details/Titles.h"

#include "details/TitlePage.h"
#include "details/TitleRecord.h"
#include "host/RecordOperations.h"
#include "platform/DatePatterns.h"

namespace details {
namespace {

constexpr QStringView pageTitleSuffix = u" - IMDb";

// The page's own title: the document title without the year and kind in its last
// parentheses, nor the site's name.
Text documentTitle(const Text &page)
{
    Text title = page.stringBetween(u"<title>", u"</").stringByCleaningHTML();
    const qsizetype parenthesis = title.string().lastIndexOf(u" (");
    if (parenthesis >= 0)
        title = title.substringToIndex(parenthesis);
    return title;
}

// The original title the older layouts mark up, sometimes quoted.
Text markedOriginalTitle(const Text &page)
{
    Text original = page.stringBetween(u">", u"<", u"=\"originalTitle\"").stringByCleaningHTML();
    if (original.hasPrefix(u"\"") && original.hasSuffix(u"\"")) {
        // A lone quotation mark both begins and ends the text, and quotes no title.
        if (original.length() < 2)
            return {};
        original = original.string().mid(1, original.length() - 2);
    }
    return original;
}

// A positive whole number written in the episode heading after `label`.
std::optional<qint64> headingNumber(const Text &heading, QStringView label)
{
    const Text number = heading.stringBetween(label, u"<").stringByCleaningHTML();
    if (!number.isNotEmpty() || number.integerValue() < 1)
        return std::nullopt;
    return number.integerValue();
}

} // namespace

void addTheatricalYear(TitlePage &page, TitleRecord &record)
{
    if (!record.isEmpty(recordkey::theatrical))
        return;
    Text year = page.structuredText(QStringLiteral("dateCreated"));
    if (year.isNull())
        year = page.page.stringBetween(u">", u"</", u"=tt_ov_rdat");
    if (year.isNull())
        return;
    // A span of years ("2009– ") or a full date is not a year and gives none.
    const auto date = platform::dateFromYearPattern(year.string());
    if (!date)
        return;
    record.set(recordkey::theatrical, QVariant(host::dateAtBeginningOfYear(*date)));
}

void addTitles(TitlePage &page, TitleRecord &record)
{
    Text title = record.text(recordkey::title);
    Text original = record.text(recordkey::originalTitle);

    if (!title.isNotEmpty())
        title = documentTitle(page.page);
    if (title.hasSuffix(pageTitleSuffix))
        title = title.substringToIndex(title.length() - pageTitleSuffix.size());

    if (!original.isNotEmpty())
        original = markedOriginalTitle(page.page);
    if (!original.isNotEmpty()) {
        const Text heading = page.page.stringBetween(u">", u"</", u"title-block__original-title")
                                 .stringByCleaningHTML();
        const Text rest = heading.after(u"Original title: ");
        if (!rest.isNull() && !title.isNull() && rest != title)
            original = rest;
    }
    if (!original.isNotEmpty()) {
        // The structured data names the title in its original language and gives the
        // title shown to the user as the alternate name.
        const Text name = page.structuredText(QStringLiteral("name")).stringByCleaningHTML();
        const Text alternate =
            page.structuredText(QStringLiteral("alternateName")).stringByCleaningHTML();
        if (!name.isNull() && !alternate.isNull() && name != alternate) {
            title = alternate;
            original = name;
        }
    }

    if (title.isNull())
        title = original;
    if (original.isNull())
        original = title;
    // An original title that only repeats what the user searched with tells nothing.
    const Text &searched = page.searchedTitle;
    if (searched.isNull() ? original.isEqualToString(title) : original.isEqualToString(searched))
        original = Text();

    record.set(recordkey::originalTitle, original);
    record.set(recordkey::title, title);
}

void addSeries(TitlePage &page, TitleRecord &record)
{
    const Text &text = page.page;
    if (text.contains(u"(TV Series ") || text.contains(u"(TV Mini-Series ")) {
        if (record.isEmpty(recordkey::series))
            record.set(recordkey::series, record.text(recordkey::title));
        return;
    }
    if (!text.contains(u"(TV Episode "))
        return;

    if (record.isEmpty(recordkey::series)) {
        Text series = text.stringBetween(u">", u"</", u"\"tv_header\"").stringByCleaningHTML();
        if (series.isNull())
            series =
                text.stringBetween(u">", u"</", u"\"titleParentWrapper\"").stringByCleaningHTML();
        record.set(recordkey::series, series);
    }

    const Text heading = text.stringBetween(u"\"bp_heading\"", u"</div");
    if (!heading.contains(u"Season "))
        return;
    // An episode number means nothing without its season.
    const auto season = headingNumber(heading, u"Season ");
    if (!season)
        return;
    if (record.isEmpty(recordkey::season))
        record.set(recordkey::season, QVariant(*season));
    if (const auto episode = headingNumber(heading, u"Episode ");
        episode && record.isEmpty(recordkey::episode))
        record.set(recordkey::episode, QVariant(*episode));
}

} // namespace details
