#pragma once

#include <QString>

class TitlePage;
class TitleRecord;

namespace details {

// The title of the catalogue's user-defined field that receives the vote count.
inline const QString votesFieldTitle = QStringLiteral("IMDb Votes");

// The rating followed by its vote count, in the framework's translated votes format.
QString ratingWithVotes(const QString &rating, const QString &votes);

// Step 6 of the run: the critics' score, into the fields titled "Metacritic" and
// "Metascore" when the catalogue has them, whatever they held.
void addCriticsScore(TitlePage &page, TitleRecord &record);
// Step 8: "myRating", the user's own rating (unless "Disable IMDB Personal Rating" is on).
// Always leaves the page scanner at the start of the page.
void addPersonalRating(TitlePage &page, TitleRecord &record);
// Step 9: "rating" and the vote count, while "rating" is empty.
void addUserRating(TitlePage &page, TitleRecord &record);

} // namespace details
