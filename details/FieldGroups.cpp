#include "details/FieldGroups.h"

#include "details/Crew.h"
#include "details/TitlePage.h"
#include "details/TitleRecord.h"

namespace details {

// The order matters: a later group sees what the earlier ones stored, and some groups leave
// the shared page scanner where the next one expects it.
void runFieldGroups(TitlePage &page, TitleRecord &record)
{
    Q_UNUSED(page);
    Q_UNUSED(record);
    // 1 cover images
    // 2 theatrical year
    // 3 title and original title
    // 4 series, season and episode
    // 5 running time
    // 6 critics' score
    // 7 release date
    // 8 personal rating
    // 9 user rating and votes
    addPrincipalCrew(page, record); // 10 director, creator, writer, producer
    // 11 awards
    // 12 credits list and title-page cast
    // 13 summary, keywords, tagline, genres, certificate
    // 14 countries, languages, companies, sound, colour, aspect ratio
    // 15 starring line, full-credits page and departments
    // 16 keywords page
    // 17 removal of an empty credits list
}

} // namespace details
