#include "details/FieldGroups.h"

#include "details/Awards.h"
#include "details/Classification.h"
#include "details/Credits.h"
#include "details/Crew.h"
#include "details/FullCredits.h"
#include "details/Images.h"
#include "details/KeywordsPage.h"
#include "details/Production.h"
#include "details/Ratings.h"
#include "details/ReleaseDate.h"
#include "details/Runtime.h"
#include "details/Story.h"
#include "details/TitlePage.h"
#include "details/TitlePageCast.h"
#include "details/TitleRecord.h"
#include "details/Titles.h"

namespace details {

// The order matters: a later group sees what the earlier ones stored, and some groups leave
// the shared page scanner where the next one expects it.
void runFieldGroups(TitlePage &page, TitleRecord &record)
{
    Q_UNUSED(page);
    Q_UNUSED(record);
    addCoverImages(page, record);            // 1 cover images
    addTheatricalYear(page, record);         // 2 theatrical year
    addTitles(page, record);                 // 3 title and original title
    addSeries(page, record);                 // 4 series, season and episode
    addRunningTime(page, record);            // 5 running time
    addCriticsScore(page, record);           // 6 critics' score
    addReleaseDate(page, record);            // 7 release date
    addPersonalRating(page, record);         // 8 personal rating
    addUserRating(page, record);             // 9 user rating and votes
    addPrincipalCrew(page, record);          // 10 director, creator, writer, producer
    addAwards(page, record);                 // 11 awards
    addTitlePageCast(page, record);          // 12 credits list and title-page cast
    addStory(page, record);                  // 13 summary, keywords, tagline,
    addClassification(page, record);         //    genres, certificate
    addProductionDetails(page, record);      // 14 countries, languages, companies, sound, colour,
                                             //    aspect ratio
    addStarringAndFullCredits(page, record); // 15 starring line, full-credits page and departments
    addKeywordsPage(page, record);           // 16 keywords page
    removeEmptyCreditsList(record);          // 17 removal of an empty credits list
}

} // namespace details
