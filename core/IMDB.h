#pragma once

#include "host/MyVellumPlugin.h"
#include "host/Text.h"
#include "host/VellumPlugin.h"

#include <QMutex>
#include <QPointer>

#include <memory>

class QAction;
class CatalogueEntry;
class IMDBOptionsPanel;
class Location;
class MyAwards;
class MyTextWindowController;
namespace platform {
class WebView;
}

// The plug-in: one object for the application's life. It registers the "IMDb" menu, turns
// the host's searches into result lists, turns a chosen result into a title record, and
// opens the side windows of the menu.
class IMDB : public MyVellumPlugin, public VellumPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VellumPlugin_iid FILE "IMDB.json")
    Q_INTERFACES(VellumPlugin)

public:
    // The tag of the menu item whose check mark follows "Disable IMDB Country Release".
    static constexpr int localDateTag = 89;

    explicit IMDB(QObject *parent = nullptr);
    ~IMDB() override;

    // VellumPlugin
    Operations implementedOperations() const override;
    void downloadDataComplete(const QByteArray &data) override;
    void openPreferences() override;
    QStringList limits() const override;
    QString countryCode() const override;
    QString languageCode() const;

    // Search (the host's call, then the web view's answers).
    void searchFor(const QVariantMap &search, SearchSender *sender) override;
    void searchForString(const QString &query, qint64 limit, qint64 type, qint64 sort,
                         SearchSender *sender);
    void downloadComplete(const Text &page);
    void addResultsFromString(const QString &page);

    // The title record of one result, or nothing when its page could not be read. Runs on
    // any thread.
    std::optional<QVariantMap> resultNumber(qint64 index) override;

    // Title identifiers.
    Text imdbNumberFromURL(const Text &url) const;
    Text checkIMDBNumber(const Text &query) const;
    static QString padIMDBNumber(const QString &number);
    static Text getIMDBNumberForEntry(CatalogueEntry *entry);

    Text currentTitle() const;
    void setCurrentTitle(const Text &title);
    qint64 theatricalYear() const;

    // Where the plug-in's interface resources are: the bundle's Resources folder.
    static QString resourcesDirectory();

public Q_SLOTS:
    // The "IMDb" menu's actions; each receives the item that sent it.
    void openIMDBSite(QAction *sender);
    void openAwards(QAction *sender);
    void openLocation(QAction *sender);
    void openMistakes(QAction *sender);
    void openSoundTrack(QAction *sender);
    void openTrivia(QAction *sender);
    void openQuotes(QAction *sender);
    void localDate(QAction *sender);
    // Called by the host before it shows an item; keeps the check mark of the tag-89 item.
    bool validateMenuItem(QAction *item);

public:
    // The side-window controller held in `awardsView`, `locationView` or
    // `textWindowViewCont`, or null before its command's first use. Hosts read what the
    // windows show through the controllers' properties.
    Q_INVOKABLE QObject *sideWindowController(const QString &field) const;

private:
    void registerMenuItems();
    void webViewDidFinishNavigation();
    void webViewDidFailNavigation();
    bool takeAwaitedWebResults();
    void addTitlePageResult(const Text &page, const Text &heading);
    void reportNothingToSearch(SearchSender *sender);
    void reportResults();
    void setTheatricalYear(qint64 year);
    MyTextWindowController &textWindowController();

    // Guards the search state a lookup on another thread reads: the current title, the year
    // and (through the base class) the result lists.
    mutable QMutex m_searchMutex;
    Text m_currentTitle;
    qint64 m_theatricalYear = 0;
    // A web search is waiting for its page; its first finished or failed load answers it.
    bool m_awaitingWebResults = false;

    std::unique_ptr<IMDBOptionsPanel> m_preferenceWindow;
    // The side windows' controllers, each made on its command's first use and kept.
    std::unique_ptr<MyAwards> m_awardsView;
    std::unique_ptr<Location> m_locationView;
    std::unique_ptr<MyTextWindowController> m_textWindowViewCont;
    std::unique_ptr<platform::WebView> m_aWebView;
};
