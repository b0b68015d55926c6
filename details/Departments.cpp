#include "details/Departments.h"

#include "details/Credits.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

#include <array>

namespace details {
namespace {

struct Department
{
    const QString &userDefault;
    // The older layout's table header (its section runs to "</table>").
    QStringView headerMarker;
    // The newer layout's section id (its section runs to "</ul>").
    QStringView sectionId;
    // The job of everyone in the department; null when each row names its own.
    const char16_t *fixedRole;
};

// The markers are the site's own, odd ones included: ">Casting By" with a capital B, and
// "Assistant Director" without its ">". "Custome Designer" is what the credit entries carry
// and the custom-field title looked up.
const std::array<Department, 17> &departments()
{
    static const std::array<Department, 17> table{{
        {prefs::creditsMusic, u">Music by", u"sub-section-music_department", u"Composer"},
        {prefs::creditsCinematographer, u">Cinematography by", u"sub-section-cinematographer",
         u"Cinematographer"},
        {prefs::creditsEditor, u">Film Editing by", u"sub-section-editor", u"Editor"},
        {prefs::creditsCasting, u">Casting By", u"sub-section-casting_department",
         u"Casting Director"},
        {prefs::creditsProductionDesigner, u">Production Design by",
         u"sub-section-production_designer", u"Production Designer"},
        {prefs::creditsArtDirector, u">Art Direction by", u"sub-section-art_director",
         u"Art Director"},
        {prefs::creditsSet, u">Set Decoration by", u"sub-section-set_decorator", u"Set Decorator"},
        {prefs::creditsCostume, u">Costume Design by", u"sub-section-costume_designer",
         u"Custome Designer"},
        {prefs::creditsMakeUp, u">Makeup Department", u"sub-section-make_up_department", nullptr},
        {prefs::creditsProductionManager, u">Production Management",
         u"sub-section-production_manager", nullptr},
        {prefs::creditsAssistant, u"Assistant Director", u"sub-section-assistant_director",
         nullptr},
        {prefs::creditsArt, u">Art Department", u"sub-section-art_department", nullptr},
        {prefs::creditsSound, u">Sound Department", u"sub-section-sound_department", nullptr},
        {prefs::creditsSpecial, u">Special Effects by", u"sub-section-special_effects", nullptr},
        {prefs::creditsVisual, u">Visual Effects by", u"sub-section-visual_effects", nullptr},
        {prefs::creditsStunts, u">Stunts", u"sub-section-stunts", nullptr},
        {prefs::creditsElectrical, u">Camera and Electrical Department",
         u"sub-section-camera_department", nullptr},
    }};
    return table;
}

} // namespace

void addDepartmentCredits(const Text &fullCreditsPage, TitleRecord &record)
{
    for (const Department &department : departments()) {
        if (!platform::UserDefaults::boolForKey(department.userDefault))
            continue;
        Text section = fullCreditsPage.stringBetween(department.headerMarker, u"</table>");
        if (section.isNull())
            section = fullCreditsPage.stringBetween(department.sectionId, u"</ul>");
        if (section.isNull())
            continue;
        if (department.fixedRole)
            addCreditsFromSection(section, QString::fromUtf16(department.fixedRole), record);
        else
            addCreditsFromSection(section, record);
    }
}

} // namespace details
