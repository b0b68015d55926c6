#include "details/FullCredits.h"

#include "details/Credits.h"
#include "details/Departments.h"
#include "details/TitlePage.h"
#include "details/TitleRecord.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

#include <QSet>

namespace details {
namespace {

using platform::UserDefaults::boolForKey;

void addStarring(const TitlePage &page, TitleRecord &record)
{
    if (!record.credits().isEmpty())
        return;
    const QVariant actors = page.structured(QStringLiteral("actor"));
    if (actors.typeId() != QMetaType::QVariantList)
        return;
    // An element without a name, or with one that cleans to nothing, leaves no empty place
    // in the line.
    QStringList names;
    for (const QVariant &actor : actors.toList()) {
        const Text name =
            Text::fromVariant(actor.toMap().value(QStringLiteral("name"))).stringByCleaningHTML();
        if (name.isNotEmpty())
            names.append(name.string());
    }
    if (!names.isEmpty())
        record.set(recordkey::starring, names.join(u", "));
}

void addFullCast(const Text &fullCredits, TitleRecord &record)
{
    // The cast table's opening differs between layouts; the section starts with the marker
    // that was found.
    platform::Cursor scanner(fullCredits.string());
    scanner.scanUpTo(u"table class=\"cast");
    if (scanner.atEnd()) {
        scanner.rewind();
        scanner.scanUpTo(u"cast_list\"");
        if (scanner.atEnd()) {
            scanner.rewind();
            scanner.scanUpTo(u">Series Cast</");
        }
    }
    Text section = scanner.captureUpTo(u"</table>");
    if (section.isNull())
        section = fullCredits.stringBetween(u"sub-section-cast", u"</ul>");
    if (section.isNull())
        return;
    newAddCreditsFromSection(section, record);
}

struct CrewList
{
    const QString &key;
    QStringView tableHeader;
    QStringView seriesTableHeader;
    QStringView sectionId;
};

// The full-credits page's list for one principal job, whatever the record held before.
void replaceCrewList(const Text &fullCredits, const CrewList &crew, TitleRecord &record)
{
    Text section = fullCredits.stringBetween(crew.tableHeader, u"</table>");
    if (section.isNull())
        section = fullCredits.stringBetween(crew.seriesTableHeader, u"</table>");
    if (section.isNull())
        section = fullCredits.stringBetween(crew.sectionId, u"</ul>");
    if (section.isNull())
        return;

    // A link whose text is wrapped in markup ("<a …><span>Name</span>") has nothing between
    // its ">" and the next "<"; such an empty name is passed over rather than joined in as
    // an empty place in the list.
    QStringList names;
    QSet<QString> seen;
    for (const QString &item : section.stringsBetween(u"name/nm", u"</")) {
        const Text name = Text(item).stringBetween(u">", u"<").stringByCleaningHTML();
        if (!name.isNotEmpty() || seen.contains(name.string()))
            continue;
        seen.insert(name.string());
        names.append(name.string());
    }
    if (!names.isEmpty())
        record.set(crew.key, Text(names.join(u", ")).stringByCleaningHTML());
}

} // namespace

void addStarringAndFullCredits(TitlePage &page, TitleRecord &record)
{
    addStarring(page, record);

    if (!boolForKey(prefs::credits) && !record.contains(recordkey::series))
        return;
    const Text fullCredits = page.fullCreditsPage();
    if (fullCredits.isNull())
        return;

    if (boolForKey(prefs::creditsActors))
        addFullCast(fullCredits, record);
    replaceCrewList(
        fullCredits,
        {recordkey::director, u">Directed by", u">Series Directed by", u"sub-section-director"},
        record);
    replaceCrewList(fullCredits,
                    {recordkey::writer, u">Writing", u">Series Writing", u"sub-section-writer"},
                    record);
    replaceCrewList(
        fullCredits,
        {recordkey::producer, u">Produced by", u">Series Produced by", u"sub-section-producer"},
        record);
    addDepartmentCredits(fullCredits, record);
}

} // namespace details
