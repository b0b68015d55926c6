#include "details/KeywordsPage.h"

#include "details/TitlePage.h"
#include "details/TitleRecord.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

#include <QSet>

namespace details {

void addKeywordsPage(TitlePage &page, TitleRecord &record)
{
    if (!platform::UserDefaults::boolForKey(prefs::additionalPlotKeywords))
        return;
    const Text keywordsPage = page.keywordsPage();
    if (keywordsPage.isNull())
        return;

    platform::Cursor scanner(keywordsPage.string());
    scanner.scanUpTo(u"<div id=\"keywords_content");
    scanner.scanUpTo(u"<table");
    const Text section = scanner.captureUpTo(u"</table>");
    if (section.isNull())
        return;
    addAdditionalPlotKeywordsFromSection(section, record);
}

void addAdditionalPlotKeywordsFromSection(const Text &section, TitleRecord &record)
{
    QStringList keywords;
    QSet<QString> seen;
    for (const QString &item : section.stringsBetween(u"data-item-keyword=\"", u"</div>")) {
        // The item ends where its "</div>" began, so this is the rest after its first ">".
        // An item with no text gives no keyword, rather than an empty place in the list.
        const Text keyword = Text(item).stringBetween(u">", u"</div>").stringByCleaningHTML();
        if (!keyword.isNotEmpty() || seen.contains(keyword.string()))
            continue;
        seen.insert(keyword.string());
        keywords.append(keyword.string());
    }
    if (!keywords.isEmpty())
        record.set(recordkey::tags, keywords.join(u", "));
}

} // namespace details
