#include "details/Credits.h"

#include "details/TitleRecord.h"
#include "host/HostController.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

namespace details {
namespace {

// A row's name: the text of the link that carries it (a row usually opens with a photo link
// to the same person, whose text is empty), else the row's first text.
Text linkedName(const Text &row)
{
    if (row.contains(u"\"/name/nm"))
        return row.stringBetween(u">", u"</", u"\"/name/nm").stringByCleaningHTML();
    return row.stringBetween(u">", u"</").stringByCleaningHTML();
}

} // namespace

bool passesUncreditedFilter(const Text &role)
{
    if (!role.contains(u"(uncredited)"))
        return true;
    return platform::UserDefaults::boolForKey(prefs::creditsUncredited);
}

void newNewAddCreditsFromSection(const Text &section, TitleRecord &record)
{
    const QStringList items = section.stringsBetween(u"=\"title-cast-item\"", u"</ul");
    for (const QString &itemText : items) {
        const Text item(itemText);
        Text name = item.stringBetween(u"\"", u"\"", u"aria-label=").stringByCleaningHTML();
        if (!name.isNotEmpty())
            name =
                item.stringBetween(u">", u"</", u"title-cast-item__actor").stringByCleaningHTML();

        // A role marker found with nothing in it still gives the entry an (empty) role; only
        // an item without any role marker gives an entry without one.
        Text role =
            item.stringBetween(u">", u"</", u"title-cast-item__char\"").stringByCleaningHTML();
        if (role.isNull()) {
            role = item.stringBetween(u">", u"</a", u"/character/nm").stringByCleaningHTML();
            if (role.hasPrefix(u"as "))
                role = role.substringFromIndex(3);
        }

        if (name.isNotEmpty() && passesUncreditedFilter(role))
            record.appendCredit(name.string(), role);
    }
}

void newAddCreditsFromSection(const Text &section, TitleRecord &record)
{
    const QStringList rows = section.stringsBetween(u"/name/nm", u"</tr");
    for (const QString &rowText : rows) {
        const Text row(rowText);
        Text name = linkedName(row);
        if (!name.isNotEmpty()) {
            // The photo link's title attribute names the person when the name link is empty.
            name = row.stringBetween(u"title=\"", u"\"");
            if (name.isNull()) {
                name = row.stringBetween(u">", u"</td", u"/name/nm").stringByCleaningHTML();
                if (!name.isNotEmpty())
                    name = row.stringBetween(u">", u"</");
            }
        }

        Text role = row.stringBetween(u">", u"</td", u"/character/ch");
        if (role.isNull())
            role = row.stringBetween(u">", u"</", u"\"character\"");
        if (role.isNull())
            role = row.stringBetween(u">", u"</", u"\"char\"");

        name = name.stringByCleaningHTML();
        role = role.stringByCleaningHTML();
        if (role.isNotEmpty())
            role = role.stringByRemovingNewLines().stringByCleaningHTML();
        else
            role = Text();

        if (name.isNotEmpty() && passesUncreditedFilter(role))
            record.appendCredit(name.string(), role);
    }
}

void addCreditsFromSection(const Text &section, const QString &role, TitleRecord &record)
{
    const QStringList rows = section.stringsBetween(u"<tr", u"</tr");
    for (const QString &rowText : rows) {
        const Text name = linkedName(Text(rowText)).stringByRemovingNewLines();
        if (!name.isNotEmpty())
            continue;
        record.appendCredit(name.string(), role);
        addToCustomField(name.string(), role, record);
    }
}

void addCreditsFromSection(const Text &section, TitleRecord &record)
{
    const QStringList rows = section.stringsBetween(u"/name/nm", u"</tr");
    for (const QString &rowText : rows) {
        const Text row(rowText);
        Text name = linkedName(row);
        if (!name.isNotEmpty()) {
            name = row.stringBetween(u"title=\"", u"\"");
            if (!name.isNotEmpty())
                name = row.stringBetween(u">", u"</");
        }
        name = name.stringByCleaningHTML();

        // The job sits in the row's last cell.
        const QStringList cells = row.stringsBetween(u"<td", u"</td");
        const Text lastCell = cells.isEmpty() ? Text() : Text(cells.constLast());
        const Text role = lastCell.stringBetween(u">", u"</")
                              .stringByCleaningHTML()
                              .stringByRemovingNewLines()
                              .stringByCleaningHTML();

        if (!name.isNotEmpty())
            continue;
        if (passesUncreditedFilter(role))
            record.appendCredit(name.string(), role);
        // The catalogue's field for the job collects everyone who did it, credited or not.
        addToCustomField(name.string(), role, record);
    }
}

void addToCustomField(const QString &name, const Text &role, TitleRecord &record)
{
    // Asked for on every call: the catalogue's fields may change between two people.
    HostController *host = host::applicationDelegate();
    FieldsController *fields = host ? host->fieldsController() : nullptr;
    if (!fields || role.isNull())
        return;
    const std::optional<QString> key = fields->customFieldWithTitle(role.string());
    if (!key)
        return;

    const Text old = record.text(*key);
    if (old.isNull())
        record.set(*key, name);
    else if (!old.string().contains(name, Qt::CaseSensitive))
        record.set(*key, old.string() + u", " + name);
}

void removeEmptyCreditsList(TitleRecord &record)
{
    if (record.contains(recordkey::credits) && record.isEmpty(recordkey::credits))
        record.remove(recordkey::credits);
}

} // namespace details
