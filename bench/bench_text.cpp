// The text primitives over real pages: the results parse, HTML cleaning, the scanner's
// case-insensitive search against a case-sensitive QString::indexOf over the same text.

#include "core/IMDB.h"
#include "host/HtmlText.h"
#include "platform/Cursor.h"
#include "platform/SearchShadow.h"
#include "platform/StaticWebView.h"
#include "platform/TextEncoding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

QString dataDirectory()
{
    return qEnvironmentVariable("IMDB_BENCH_PAGES", QStringLiteral(IMDB_BENCH_DATA));
}

QByteArray readPage(const QString &relative)
{
    QFile file(dataDirectory() + u'/' + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The results parse: what the web view hands over (the list's HTML for the newer page, the
// whole page for the older ones), parsed into the two result lists.
void resultsParse(benchmark::State &state, const QString &html)
{
    IMDB plugin;
    for (auto _ : state) {
        plugin.downloadComplete(Text(html));
        benchmark::DoNotOptimize(plugin.resultsURLs());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * html.size() * 2);
}

void cleaning(benchmark::State &state, const QString &html)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(host::cleanHtml(html));
    state.SetBytesProcessed(int64_t(state.iterations()) * html.size() * 2);
}

// A marker that does not occur: every search reads the whole text.
constexpr QStringView absentMarker = u"<div id=\"no-such-section";

void scanIgnoringCase(benchmark::State &state, const QString &page)
{
    for (auto _ : state) {
        platform::Cursor cursor(page);
        benchmark::DoNotOptimize(cursor.scanUpTo(absentMarker));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * page.size() * 2);
}

void scanIgnoringCasePrepared(benchmark::State &state, const QString &page)
{
    // A shadow remembers its answers, so each scan gets a new one, made outside the timing.
    for (auto _ : state) {
        state.PauseTiming();
        platform::Cursor cursor(page, platform::SearchShadow::makeFor(page));
        state.ResumeTiming();
        benchmark::DoNotOptimize(cursor.scanUpTo(absentMarker));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * page.size() * 2);
}

void qstringIndexOf(benchmark::State &state, const QString &page)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(page.indexOf(absentMarker, 0, Qt::CaseSensitive));
    state.SetBytesProcessed(int64_t(state.iterations()) * page.size() * 2);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString findNew = platform::StaticWebView::innerHtmlOfFirstElementWithClass(
                                readPage(QStringLiteral("find-new/archer-2022-10.html")),
                                QStringLiteral("ipc-metadata-list--dividers-after"))
                                .value_or(QString());
    benchmark::RegisterBenchmark("results parse/find-new archer (list HTML)",
                                 [findNew](benchmark::State &s) { resultsParse(s, findNew); });
    const QDir oldPages(dataDirectory() + QStringLiteral("/find-old"));
    for (const QString &name : oldPages.entryList({QStringLiteral("*.html")}, QDir::Files)) {
        const QString page =
            platform::decodeUtf8OrLatin1(readPage(QStringLiteral("find-old/") + name));
        benchmark::RegisterBenchmark((u"results parse/find-old " + name).toUtf8().constData(),
                                     [page](benchmark::State &s) { resultsParse(s, page); });
    }

    const QString bigPage = platform::decodeUtf8OrLatin1(
        readPage(QStringLiteral("title-2020s/star-wars-tt0076759-2022-03.html")));
    benchmark::RegisterBenchmark("stringByCleaningHTML/1 MB title page",
                                 [bigPage](benchmark::State &s) { cleaning(s, bigPage); });
    benchmark::RegisterBenchmark("scan/case-insensitive cursor (1 MB)",
                                 [bigPage](benchmark::State &s) { scanIgnoringCase(s, bigPage); });
    benchmark::RegisterBenchmark(
        "scan/case-insensitive cursor over a prepared page (1 MB)",
        [bigPage](benchmark::State &s) { scanIgnoringCasePrepared(s, bigPage); });
    benchmark::RegisterBenchmark("scan/QString::indexOf case-sensitive (1 MB)",
                                 [bigPage](benchmark::State &s) { qstringIndexOf(s, bigPage); });

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
