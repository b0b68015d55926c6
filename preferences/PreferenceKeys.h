#pragma once

#include <QList>
#include <QString>

// Every user-defaults key the plug-in reads or writes. Each holds a Boolean; an absent key
// reads as NO. Keys are read afresh at each use.
namespace prefs {

inline const QString creditsActors = QStringLiteral("IMDBCreditsActors");
inline const QString creditsUncredited = QStringLiteral("IMDBCreditsUncredited");
inline const QString creditsProducedBy = QStringLiteral("IMDBCreditsProducedBy");
inline const QString creditsMusic = QStringLiteral("IMDBCreditsMusic");
inline const QString creditsCinematographer = QStringLiteral("IMDBCreditsCinematographer");
inline const QString creditsEditor = QStringLiteral("IMDBCreditsEditor");
inline const QString creditsCasting = QStringLiteral("IMDBCreditsCasting");
inline const QString creditsProductionDesigner = QStringLiteral("IMDBCreditsProductionDesigner");
inline const QString creditsArtDirector = QStringLiteral("IMDBCreditsArtDirector");
inline const QString creditsSet = QStringLiteral("IMDBCreditsSet");
inline const QString creditsCostume = QStringLiteral("IMDBCreditsCostume");
inline const QString creditsMakeUp = QStringLiteral("IMDBCreditsMakeUp");
inline const QString creditsProductionManager = QStringLiteral("IMDBCreditsProductionManager");
inline const QString creditsAssistant = QStringLiteral("IMDBCreditsAssistant");
inline const QString creditsArt = QStringLiteral("IMDBCreditsArt");
inline const QString creditsSound = QStringLiteral("IMDBCreditsSound");
inline const QString creditsSpecial = QStringLiteral("IMDBCreditsSpecial");
inline const QString creditsVisual = QStringLiteral("IMDBCreditsVisual");
inline const QString creditsStunts = QStringLiteral("IMDBCreditsStunts");
inline const QString creditsElectrical = QStringLiteral("IMDBCreditsElectrical");
inline const QString additionalPlotKeywords = QStringLiteral("IMDBAdditionalPlotKeywords");

// Set by the options panel: on when any credit option (rows 0 to 19) is on.
inline const QString credits = QStringLiteral("IMDBCredits");
// Toggled by the menu's "Local Date in Release".
inline const QString disableCountryRelease = QStringLiteral("Disable IMDB Country Release");
// Set from outside the plug-in only.
inline const QString disablePersonalRating = QStringLiteral("Disable IMDB Personal Rating");
inline const QString debugFile = QStringLiteral("IMDB debug file");

// The options panel's rows, in order (row i of its check-box column stands for key i).
inline const QList<QString> &panelKeys()
{
    static const QList<QString> keys = {
        creditsActors,
        creditsUncredited,
        creditsProducedBy,
        creditsMusic,
        creditsCinematographer,
        creditsEditor,
        creditsCasting,
        creditsProductionDesigner,
        creditsArtDirector,
        creditsSet,
        creditsCostume,
        creditsMakeUp,
        creditsProductionManager,
        creditsAssistant,
        creditsArt,
        creditsSound,
        creditsSpecial,
        creditsVisual,
        creditsStunts,
        creditsElectrical,
        additionalPlotKeywords,
    };
    return keys;
}

// Every key, for hosts that list or edit them.
inline QList<QString> allKeys()
{
    QList<QString> keys = panelKeys();
    keys << credits << disableCountryRelease << disablePersonalRating << debugFile;
    return keys;
}

} // namespace prefs
