#include "fuzz/FuzzProcess.h"

#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Settings go to a folder of the run's own, never to the user's: the options below are
    // written there once, and every input reads them.
    static QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    // Deliberately kept for the whole run: the parsers reach the settings through the
    // application object.
    static QCoreApplication *application = new QCoreApplication(*argc, *argv);
    Q_UNUSED(application);
    QCoreApplication::setOrganizationName(QStringLiteral("imdb-lookup-fuzz"));
    QCoreApplication::setApplicationName(QStringLiteral("fuzz"));
    // Every credit and keyword option on; the options that switch a step off stay off.
    for (const QString &key : prefs::allKeys()) {
        const bool switchesOff = key == prefs::disableCountryRelease ||
                                 key == prefs::disablePersonalRating || key == prefs::debugFile;
        platform::UserDefaults::setBool(key, !switchesOff);
    }
    return 0;
}

void fuzzCheck(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz property failed: %s\n", what);
    std::abort();
}
