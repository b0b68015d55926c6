#include "apps/imdb-lookup/Session.h"

#include "host/MyVellumPlugin.h"
#include "host/RecordOperations.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QThread>

namespace {

// The lookup runs on a worker thread, as a catalogue application runs it; the main thread
// keeps its event loop going, since the plug-in asks it for the fields controller.
std::optional<QVariantMap> lookUpOnWorkerThread(MyVellumPlugin *plugin, qint64 index)
{
    std::optional<QVariantMap> record;
    QThread *worker = QThread::create([&] { record = plugin->resultNumber(index); });
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    delete worker;
    return record;
}

} // namespace

int lookupCommand(Session &session)
{
    session.host.setCustomFields(session.options.values(QStringLiteral("custom-field")));
    QElapsedTimer timer;
    timer.start();
    const qsizetype count = runSearch(session);
    const qint64 searchMs = timer.restart();
    if (count < 0) {
        printError(QStringLiteral("The search did not answer\n"));
        return 1;
    }
    if (count == 0) {
        printError(QStringLiteral("0 results\n"));
        return 1;
    }
    bool ok = true;
    const qint64 pick = session.options.isSet(QStringLiteral("pick"))
                            ? session.options.value(QStringLiteral("pick")).toLongLong(&ok)
                            : 0;
    if (!ok) {
        printError(QStringLiteral("--pick takes a result's index\n"));
        return 2;
    }
    const std::optional<QVariantMap> record = lookUpOnWorkerThread(session.plugin.plugin, pick);
    if (session.options.isSet(QStringLiteral("timing")))
        printError(QStringLiteral("timing: search %1 ms, lookup %2 ms\n")
                       .arg(searchMs)
                       .arg(timer.elapsed()));
    if (!record) {
        printError(QStringLiteral("The title page could not be read\n"));
        return 1;
    }
    const QJsonDocument json(host::recordToJson(*record));
    printOut(QString::fromUtf8(json.toJson(QJsonDocument::Indented)));
    return 0;
}
