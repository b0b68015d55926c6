#include "apps/imdb-lookup/Session.h"

#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

using platform::UserDefaults::boolForKey;

int prefsCommand(Session &session)
{
    const QStringList &arguments = session.arguments;
    if (arguments.isEmpty()) {
        for (const QString &key : prefs::allKeys())
            printOut(key + u'\t' + (boolForKey(key) ? u"on" : u"off") + u'\n');
        return 0;
    }
    // Keys may hold spaces ("IMDB debug file"): the last word is the value.
    const QString value = arguments.last();
    const QString key = arguments.mid(0, arguments.size() - 1).join(u' ');
    if (!prefs::allKeys().contains(key) || (value != u"on" && value != u"off")) {
        printError(QStringLiteral("Usage: imdb-lookup prefs [KEY on|off]; the keys are:\n  ") +
                   prefs::allKeys().join(QStringLiteral("\n  ")) + u'\n');
        return 2;
    }
    // As the options panel does: on stores YES, off removes the key.
    if (value == u"on")
        platform::UserDefaults::setBool(key, true);
    else
        platform::UserDefaults::removeObject(key);
    printOut(key + u'\t' + value + u'\n');
    return 0;
}
