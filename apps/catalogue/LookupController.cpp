#include "apps/catalogue/LookupController.h"

#include "apps/catalogue/CatalogueStore.h"
#include "apps/catalogue/EntryValues.h"
#include "apps/catalogue/ResultsChooser.h"

#include <QCoreApplication>
#include <QDate>
#include <QEventLoop>
#include <QThread>

#include <memory>

LookupController::LookupController(CatalogueStore &store, QWidget *window, QObject *parent)
    : QObject(parent), m_store(store), m_window(window)
{}

LookupController::~LookupController()
{
    finishPendingWork();
    if (m_plugin && m_plugin->delegate() == this)
        m_plugin->setDelegate(nullptr);
}

void LookupController::setPlugin(MyVellumPlugin *plugin)
{
    m_plugin = plugin;
}

QVariantMap LookupController::searchDictionary(const QVariantMap &entry, const QString &keyword)
{
    QVariantMap search;
    for (const QString &key : {entrykey::title, entrykey::originalTitle, entrykey::imdb}) {
        const QString text = entry.value(key).toString().trimmed();
        if (!text.isEmpty())
            search.insert(key, text);
    }
    const QDate theatrical = entry.value(entrykey::theatrical).toDate();
    if (theatrical.isValid())
        search.insert(entrykey::theatrical, theatrical);
    if (!keyword.trimmed().isEmpty())
        search.insert(QStringLiteral("keyword"), keyword.trimmed());
    return search;
}

bool LookupController::lookUp(qint64 entryId, const QString &keyword)
{
    if (isBusy() || !m_plugin)
        return false;
    const std::optional<QVariantMap> entry = m_store.entry(entryId);
    if (!entry)
        return false;
    m_entryId = entryId;
    m_searchedFor =
        keyword.trimmed().isEmpty() ? entry->value(entrykey::title).toString() : keyword.trimmed();
    setState(State::Searching, tr("Searching IMDb for “%1”…").arg(m_searchedFor));
    m_plugin->searchFor(searchDictionary(*entry, keyword), this);
    return true;
}

void LookupController::searchReturnedNumberOfResults(qsizetype, MyVellumPlugin *sender)
{
    if (sender != m_plugin || m_state != State::Searching)
        return;
    // A search the plug-in can answer at once reports from inside searchFor; the chooser
    // opens from the event loop either way.
    QMetaObject::invokeMethod(this, &LookupController::showResults, Qt::QueuedConnection);
}

void LookupController::showResults()
{
    if (m_state != State::Searching || !m_plugin)
        return;
    const MyVellumPlugin::Results results = m_plugin->results();
    const QStringList &titles = results.titles;
    if (titles.isEmpty()) {
        finish(false, tr("IMDb has nothing for “%1”.").arg(m_searchedFor));
        return;
    }
    setState(State::Choosing);
    m_shownNumbers = results.numbers;
    m_chooser = new ResultsChooser(m_searchedFor, titles, results.numbers, m_window);
    m_chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_chooser, &QDialog::finished, this, [this, chooser = m_chooser](int result) {
        chosen(result == QDialog::Accepted && chooser ? chooser->chosenIndex() : -1);
    });
    m_chooser->open();
    Q_EMIT chooserOpened(m_chooser);
}

void LookupController::chosen(int result)
{
    if (m_state != State::Choosing)
        return;
    if (result < 0 || !m_plugin) {
        finish(false, tr("Look-up cancelled."));
        return;
    }
    // The plug-in reads the chosen result by its place in its current results; should
    // another search have replaced them meanwhile, that place names another film.
    const MyVellumPlugin::Results results = m_plugin->results();
    if (results.numbers != m_shownNumbers || result >= results.titles.size()) {
        finish(false, tr("The results changed while the list was open; look it up again."));
        return;
    }
    fetch(result, results.titles.at(result));
}

void LookupController::fetch(qint64 index, const QString &title)
{
    setState(State::Fetching, tr("Reading “%1” from IMDb…").arg(title));
    auto record = std::make_shared<std::optional<QVariantMap>>();
    MyVellumPlugin *plugin = m_plugin;
    m_worker = QThread::create([plugin, index, record] { *record = plugin->resultNumber(index); });
    connect(m_worker, &QThread::finished, this, [this, record] {
        m_worker->deleteLater();
        m_worker = nullptr;
        fetched(*record);
    });
    m_worker->start();
}

void LookupController::fetched(const std::optional<QVariantMap> &record)
{
    if (!record) {
        finish(false, tr("The movie's page could not be read."));
        return;
    }
    // The plug-in answers a result it no longer holds with a record of an error title and no
    // number; stored, that title would replace the entry's own.
    if (!record->contains(entrykey::imdb)) {
        finish(false, tr("IMDb gave no record for “%1”.").arg(m_searchedFor));
        return;
    }
    if (!m_store.storeRecord(m_entryId, *record)) {
        finish(false, tr("The record could not be stored: %1").arg(m_store.lastError()));
        return;
    }
    finish(true, tr("Stored “%1”.").arg(record->value(entrykey::title).toString()));
}

void LookupController::finish(bool stored, const QString &message)
{
    setState(State::Idle);
    Q_EMIT finished(m_entryId, stored, message);
}

void LookupController::setState(State state, const QString &activity)
{
    const bool wasBusy = m_state == State::Searching || m_state == State::Fetching;
    m_state = state;
    const bool busy = state == State::Searching || state == State::Fetching;
    if (busy || wasBusy)
        Q_EMIT busyChanged(busy, activity);
}

void LookupController::finishPendingWork()
{
    // The worker's finished handler, queued to this thread, clears m_worker.
    while (m_worker)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::WaitForMoreEvents);
}
