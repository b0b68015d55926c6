// The record run over saved title pages, in memory: every field group, no network.

#include "bench/FixedHost.h"
#include "details/FieldGroups.h"
#include "details/LegacyPage.h"
#include "details/TitlePage.h"
#include "details/TitleRecord.h"
#include "platform/TextEncoding.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void runRecord(benchmark::State &state, const QString &page)
{
    FixedHost host;
    const Text text(page);
    for (auto _ : state) {
        TitlePage titlePage(text, QStringLiteral("0000001"), &host);
        titlePage.setFullCreditsLoader([](const QString &) { return Text(); });
        titlePage.setKeywordsLoader([](const QString &) { return Text(); });
        TitleRecord record;
        record.setImageLocations({});
        if (text.contains(u"class=\"headerinline"))
            details::oldIMDBParsingStyle(text, QStringLiteral("0000001"), record, &host,
                                         [](const QString &) { return Text(); });
        details::runFieldGroups(titlePage, record);
        benchmark::DoNotOptimize(record);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * page.size() * 2);
    state.counters["page_kB"] = double(page.size()) / 1024.0;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("imdb-lookup-bench"));
    // Every option on, so every group does all it can.
    for (const QString &key : prefs::allKeys())
        platform::UserDefaults::setBool(key, key != prefs::debugFile);

    const QString data = qEnvironmentVariable("IMDB_BENCH_PAGES", QStringLiteral(IMDB_BENCH_DATA));
    for (const char *era : {"title-2020s", "title-2010s", "title-old"}) {
        const QDir folder(data + u'/' + QLatin1String(era));
        for (const QString &name : folder.entryList({QStringLiteral("*.html")}, QDir::Files)) {
            QFile file(folder.filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString page = platform::decodeUtf8OrLatin1(file.readAll());
            benchmark::RegisterBenchmark(
                (QLatin1String(era) + u'/' + name).toUtf8().constData(),
                [page](benchmark::State &state) { runRecord(state, page); })
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
