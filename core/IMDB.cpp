#include "core/IMDB.h"

#include "host/HostController.h"
#include "host/Localization.h"
#include "platform/Bundle.h"
#include "platform/NibLoading.h"
#include "platform/SystemLog.h"
#include "platform/WebView.h"
#include "preferences/IMDBOptionsPanel.h"
#include "windows/Location.h"
#include "windows/MyAwards.h"
#include "windows/MyTextWindowController.h"

#include <QAction>
#include <QKeySequence>

namespace {

struct MenuRow
{
    const char16_t *titleKey;
    void (IMDB::*action)(QAction *);
};

// The "IMDb" menu, in order. The first item answers Command-Shift-I (Ctrl+Shift+I here); the
// last carries the tag of the release-date option.
const MenuRow menuRows[] = {
    {u"Open Site...", &IMDB::openIMDBSite},    {u"Awards...", &IMDB::openAwards},
    {u"Location...", &IMDB::openLocation},     {u"Goofs...", &IMDB::openMistakes},
    {u"Soundtrack...", &IMDB::openSoundTrack}, {u"Trivia...", &IMDB::openTrivia},
    {u"Quotes...", &IMDB::openQuotes},         {u"Local Date in Release", &IMDB::localDate},
};

// Anchors the bundle lookup to this module's code.
void bundleAnchor() {}

} // namespace

IMDB::IMDB(QObject *parent) : MyVellumPlugin(parent)
{
    registerMenuItems();
}

IMDB::~IMDB() = default;

void IMDB::registerMenuItems()
{
    HostController *host = host::applicationDelegate();
    PluginManager *manager = host ? host->pluginManager() : nullptr;
    if (!manager)
        return;
    bool first = true;
    for (const MenuRow &row : menuRows) {
        auto *item = new QAction(host::localized(QString::fromUtf16(row.titleKey)));
        // The item's target: the object a host asks, through its validateMenuItem slot,
        // before it shows the item.
        item->setProperty("target", QVariant::fromValue<QObject *>(this));
        const auto action = row.action;
        connect(item, &QAction::triggered, this, [this, item, action] { (this->*action)(item); });
        if (first)
            item->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
        if (action == &IMDB::localDate) {
            item->setData(localDateTag);
            item->setCheckable(true);
        }
        first = false;
        manager->addMenuItem(item, QStringLiteral("IMDb"));
    }
}

VellumPlugin::Operations IMDB::implementedOperations() const
{
    return Operation::DownloadDataComplete | Operation::OpenPreferences | Operation::Limits |
           Operation::CountryCode;
}

QStringList IMDB::limits() const
{
    return {QStringLiteral("title")};
}

QString IMDB::countryCode() const
{
    return QStringLiteral("US");
}

QString IMDB::languageCode() const
{
    return QStringLiteral("en");
}

QString IMDB::resourcesDirectory()
{
    return platform::moduleDirectoryContaining(reinterpret_cast<const void *>(&bundleAnchor)) +
           QStringLiteral("/Resources");
}

Text IMDB::currentTitle() const
{
    QMutexLocker lock(&m_searchMutex);
    return m_currentTitle;
}

void IMDB::setCurrentTitle(const Text &title)
{
    QMutexLocker lock(&m_searchMutex);
    m_currentTitle = title;
}

qint64 IMDB::theatricalYear() const
{
    QMutexLocker lock(&m_searchMutex);
    return m_theatricalYear;
}

void IMDB::setTheatricalYear(qint64 year)
{
    QMutexLocker lock(&m_searchMutex);
    m_theatricalYear = year;
}

void IMDB::openPreferences()
{
    if (!m_preferenceWindow) {
        m_preferenceWindow = IMDBOptionsPanel::load(resourcesDirectory());
        if (!m_preferenceWindow)
            platform::systemLog(QStringLiteral("IMDBPreferences.nib Failed"));
    }
    if (m_preferenceWindow)
        m_preferenceWindow->showPreferences();
}
