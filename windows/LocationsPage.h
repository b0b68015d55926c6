#pragma once

#include <QList>
#include <QString>

#include <optional>

struct FilmingLocation
{
    QString location;
    // The scene shot there; empty when the page names none.
    QString scene;
};

// The locations page cut into its entries, in page order. Nothing when the page has no
// "<dt>" at all; an empty list when it has but no entry yields a location.
std::optional<QList<FilmingLocation>> locationsFromPage(const QString &page);
