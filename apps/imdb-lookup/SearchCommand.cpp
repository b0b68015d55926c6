#include "apps/imdb-lookup/Session.h"

#include "host/MyVellumPlugin.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

void printOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void printError(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

QVariantMap searchDictionary(const Session &session)
{
    QVariantMap search;
    const QCommandLineParser &options = session.options;
    const QString title = session.arguments.join(u' ');
    if (!title.isEmpty())
        search.insert(QStringLiteral("title"), title);
    const auto copy = [&](const QString &option, const QString &key) {
        if (options.isSet(option))
            search.insert(key, options.value(option));
    };
    copy(QStringLiteral("imdb"), QStringLiteral("imdb"));
    copy(QStringLiteral("url"), QStringLiteral("url"));
    copy(QStringLiteral("original-title"), QStringLiteral("originalTitle"));
    copy(QStringLiteral("keyword"), QStringLiteral("keyword"));
    if (options.isSet(QStringLiteral("year"))) {
        const int year = options.value(QStringLiteral("year")).toInt();
        if (year > 0)
            search.insert(QStringLiteral("theatrical"), QDate(year, 1, 1));
    }
    return search;
}

qsizetype runSearch(Session &session)
{
    session.plugin.plugin->searchFor(searchDictionary(session), &session.host);
    // The web view gives up after its own time-out; this only guards against a plug-in that
    // never answers.
    const std::optional<qsizetype> count = session.host.waitForSearchReport(120000);
    return count ? *count : -1;
}

int searchCommand(Session &session)
{
    const qsizetype count = runSearch(session);
    if (count < 0) {
        printError(QStringLiteral("The search did not answer\n"));
        return 1;
    }
    const MyVellumPlugin::Results results = session.plugin.plugin->results();
    if (session.json) {
        QJsonArray list;
        for (qsizetype i = 0; i < results.numbers.size(); ++i) {
            list.append(QJsonObject{{QStringLiteral("number"), results.numbers.at(i)},
                                    {QStringLiteral("title"), results.titles.at(i)}});
        }
        const QJsonObject answer{{QStringLiteral("count"), qint64(results.numbers.size())},
                                 {QStringLiteral("results"), list}};
        printOut(QString::fromUtf8(QJsonDocument(answer).toJson(QJsonDocument::Compact)) + u'\n');
        return 0;
    }
    if (results.numbers.isEmpty()) {
        printError(QStringLiteral("0 results\n"));
        return 0;
    }
    for (qsizetype i = 0; i < results.numbers.size(); ++i)
        printOut(results.numbers.at(i) + u'\t' + results.titles.at(i) + u'\n');
    return 0;
}
