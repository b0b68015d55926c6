// What the "IMDb" menu's items do.

#include "core/IMDB.h"

#include "host/HostController.h"
#include "host/Localization.h"
#include "platform/Alerts.h"
#include "platform/SiteConfig.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

#include <QAction>

using namespace platform;

namespace {

void alert(const QString &titleKey, const QString &message)
{
    beginAlertSheet(host::mainWindow(), host::localized(titleKey),
                    host::localized(QStringLiteral("NoRow"), message));
}

} // namespace

void IMDB::openIMDBSite(QAction *)
{
    HostController *host = host::applicationDelegate();
    CatalogueEntry *entry = host ? host->selectedEntry() : nullptr;
    if (!entry) {
        alert(QStringLiteral("No Selection"), QStringLiteral("No row selected."));
        return;
    }
    Text number = host::entryText(entry, QStringLiteral("imdb"));
    if (number.isNotEmpty())
        number = padIMDBNumber(number.string());
    else
        number = getIMDBNumberForEntry(entry);
    if (number.isNull()) {
        alert(QStringLiteral("No IMDB Number"),
              QStringLiteral("Movie is not linked to an IMDb entry."));
        return;
    }
    const QUrl address =
        site::address(site::Scheme::Https, site::Host::Www, u"/title/tt" + number.string());
    if (BrowserView *view = host->webView())
        view->loadLink(address.toString(QUrl::FullyEncoded), false);
}

void IMDB::localDate(QAction *)
{
    const bool disabled = UserDefaults::boolForKey(prefs::disableCountryRelease);
    UserDefaults::setBool(prefs::disableCountryRelease, !disabled);
}

bool IMDB::validateMenuItem(QAction *item)
{
    if (!item || item->data().toInt() != localDateTag)
        return true;
    item->setCheckable(true);
    item->setChecked(
        !UserDefaults::boolValue(UserDefaults::objectForKey(prefs::disableCountryRelease)));
    return true;
}

// The side windows come with their controllers.
void IMDB::openAwards(QAction *) {}
void IMDB::openLocation(QAction *) {}
void IMDB::openMistakes(QAction *) {}
void IMDB::openSoundTrack(QAction *) {}
void IMDB::openTrivia(QAction *) {}
void IMDB::openQuotes(QAction *) {}
