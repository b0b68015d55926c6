#pragma once

#include "windows/StyledText.h"

#include <optional>

// The text window's pages cut into entries and made into styled text, each entry cleaned to
// plain text and followed by its separator. An empty result means the page gave no entry.

// Each goof as one paragraph: its category in the heading style, a space, the goof, a blank
// line. Nothing when the page has no goofs list at all (no "class=\"soda").
std::optional<StyledText> goofsFromPage(const QString &page);

// Each quote with its speakers in bold and its stage directions in italic, followed by a
// ruled separator.
StyledText quotesFromPage(const QString &page);

// Each soundtrack entry followed by a blank line.
StyledText soundtrackFromPage(const QString &page);

// Each trivia entry followed by a blank line.
StyledText triviaFromPage(const QString &page);
