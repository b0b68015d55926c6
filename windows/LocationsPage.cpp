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
        // tag's end: the scene's text comes with it. Each text is cleaned twice, and whether
        // there is a location is judged on the twice-cleaned text: the second cleaning can
        // leave nothing of what the first left (text that reads as a tag, such as "<s"), and
        // a row must name its location.
        const Text location =
            entry.stringBetween(u">", u"<dt>").stringByCleaningHTML().stringByCleaningHTML();
        if (!location.isNotEmpty())
            continue;
        const Text scene = entry.stringBetween(u"<dd>", u"</dd>").stringByCleaningHTML();
        locations.append({location.string(),
                          scene.isNotEmpty() ? scene.stringByCleaningHTML().string() : QString()});
    }
    return locations;
}
