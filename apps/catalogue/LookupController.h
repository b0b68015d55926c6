#pragma once

#include "apps/catalogue/ResultsChooser.h"
#include "host/MyVellumPlugin.h"

#include <QObject>
#include <QPointer>
#include <QVariantMap>

class CatalogueStore;
class QThread;
class QWidget;

// One look-up at a time, from the entry to its stored record: builds the search dictionary
// from the entry, asks the plug-in to search, shows the results in a chooser when the
// plug-in reports them, has the plug-in read the chosen title on a worker thread while the
// window stays responsive, and stores the record into the entry in one transaction.
class LookupController : public QObject, public SearchSender
{
    Q_OBJECT
public:
    enum class State {
        Idle,
        Searching,
        Choosing,
        Fetching
    };

    // The chooser opens on `window`.
    LookupController(CatalogueStore &store, QWidget *window, QObject *parent = nullptr);
    // Waits for a lookup still reading its title, so that no worker outlives the controller.
    ~LookupController() override;

    void setPlugin(MyVellumPlugin *plugin);
    MyVellumPlugin *plugin() const { return m_plugin; }
    State state() const { return m_state; }
    bool isBusy() const { return m_state != State::Idle; }

    // Starts looking the entry up; false when a look-up is under way, there is no plug-in or
    // no such entry. A non-empty keyword is searched for instead of the title.
    bool lookUp(qint64 entryId, const QString &keyword = {});

    // What the plug-in is asked to search for: the entry's "title", "originalTitle", "imdb"
    // and "theatrical", and "keyword" when there is one.
    static QVariantMap searchDictionary(const QVariantMap &entry, const QString &keyword);

    // Runs the event loop, without user input, until a title being read has been read and
    // stored. The plug-in's worker asks the GUI thread for the fields controller, so the GUI
    // thread must never simply block on it.
    void finishPendingWork();

    // SearchSender
    void searchReturnedNumberOfResults(qsizetype count, MyVellumPlugin *sender) override;

Q_SIGNALS:
    // `activity` says what is under way while busy.
    void busyChanged(bool busy, const QString &activity);
    void chooserOpened(ResultsChooser *chooser);
    // The look-up ended: stored, or not with the reason in `message`.
    void finished(qint64 entryId, bool stored, const QString &message);

private:
    void showResults();
    void chosen(int result);
    void fetch(qint64 index, const QString &title);
    void fetched(const std::optional<QVariantMap> &record);
    void finish(bool stored, const QString &message);
    void setState(State state, const QString &activity = {});

    CatalogueStore &m_store;
    QPointer<QWidget> m_window;
    QPointer<MyVellumPlugin> m_plugin;
    State m_state = State::Idle;
    qint64 m_entryId = 0;
    QString m_searchedFor;
    // The title numbers the chooser shows, in its order.
    QStringList m_shownNumbers;
    QPointer<ResultsChooser> m_chooser;
    QThread *m_worker = nullptr;
};
