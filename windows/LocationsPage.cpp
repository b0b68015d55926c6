#include "windows/LocationsPage.h"

#include "host/Text.h"

std::optional<QList<FilmingLocation>> locationsFromPage(const QString &page)
{
    const Text text(page);
    if (!text.contains(u"<dt>"))
        return std::nullopt;

    QList<FilmingLocation> locations;
    for (const QString &piece : text.stringsBetween(u"<dt>", u"</dd>")) {
        const Text entry(piece);
        // An entry holds no further "<dt>", so the location is everything after the first
        // tag's end: the scene's text comes with it.
        const Text location = entry.stringBetween(u">", u"<dt>").stringByCleaningHTML();
        if (!location.isNotEmpty())
            continue;
        const Text scene = entry.stringBetween(u"<dd>", u"</dd>").stringByCleaningHTML();
        locations.append({location.stringByCleaningHTML().string(),
                          scene.isNotEmpty() ? scene.stringByCleaningHTML().string() : QString()});
    }
    return locations;
}
