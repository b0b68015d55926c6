// What the "IMDb" menu's items do.

#include "core/IMDB.h"

#include "host/HostController.h"
#include "host/Localization.h"
#include "platform/Alerts.h"
#include "platform/SiteConfig.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"
#include "windows/Location.h"
#include "windows/MyAwards.h"
#include "windows/MyTextWindowController.h"

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

void IMDB::openAwards(QAction *)
{
    if (!m_awardsView)
        m_awardsView = std::make_unique<MyAwards>();
    m_awardsView->showAwardsForSelection();
}

void IMDB::openLocation(QAction *)
{
    if (!m_locationView)
        m_locationView = std::make_unique<Location>();
    m_locationView->showLocationForSelection();
}

// The goofs, soundtrack, trivia and quotes share one controller and so one window.
MyTextWindowController &IMDB::textWindowController()
{
    if (!m_textWindowViewCont)
        m_textWindowViewCont = std::make_unique<MyTextWindowController>();
    return *m_textWindowViewCont;
}

void IMDB::openMistakes(QAction *)
{
    textWindowController().showMistakesForSelection();
}

void IMDB::openSoundTrack(QAction *)
{
    textWindowController().showSoundTrackForSelection();
}

void IMDB::openTrivia(QAction *)
{
    textWindowController().showTriviaForSelection();
}

void IMDB::openQuotes(QAction *)
{
    textWindowController().showQuotesForSelection();
}

QObject *IMDB::sideWindowController(const QString &field) const
{
    if (field == u"awardsView")
        return m_awardsView.get();
    if (field == u"locationView")
        return m_locationView.get();
    if (field == u"textWindowViewCont")
        return m_textWindowViewCont.get();
    return nullptr;
}
