#pragma once

#include "apps/imdb-lookup/CommandLineHost.h"
#include "apps/shared/PluginBundles.h"

#include <QCommandLineParser>
#include <QStringList>

class IMDB;

// What every command works with: the parsed command line, the host, the loaded plug-in.
struct Session
{
    QCommandLineParser &options;
    QStringList arguments; // the positional arguments after the command's name
    CommandLineHost &host;
    LoadedPlugin plugin;
    bool json = false;
};

// Writes UTF-8 text to standard output or standard error.
void printOut(const QString &text);
void printError(const QString &text);

// The search dictionary the command line describes (--year, --imdb, --url,
// --original-title, --keyword and the title words).
QVariantMap searchDictionary(const Session &session);

// Runs the search and waits for its report; the number of results, or -1 when none came.
qsizetype runSearch(Session &session);

int searchCommand(Session &session);
int lookupCommand(Session &session);
int prefsCommand(Session &session);
// The "IMDb" menu's commands (WindowCommands.cpp).
int awardsCommand(Session &session);
int locationsCommand(Session &session);
int goofsCommand(Session &session);
int quotesCommand(Session &session);
int soundtrackCommand(Session &session);
int triviaCommand(Session &session);
int openSiteCommand(Session &session);
int localDateCommand(Session &session);
