// The results parser over any answer of the find page: the result lists stay aligned, and a
// page's own hits never repeat a title number.

#include "core/IMDB.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzProcess.h"

#include <QDate>
#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    const QString page = input.wholePage();

    // A search by number first (answered at once, no network), so that the page's hits meet
    // a list that already holds one, and an entry year that sorts them.
    IMDB plugin;
    plugin.searchFor({{QStringLiteral("imdb"), QStringLiteral("0000001")},
                      {QStringLiteral("theatrical"), QDate(1994, 6, 1)}},
                     nullptr);
    plugin.addResultsFromString(page);
    const MyVellumPlugin::Results listed = plugin.results();
    fuzzCheck(listed.titles.size() == listed.numbers.size(), "aligned lists");
    fuzzCheck(QSet<QString>(listed.numbers.cbegin(), listed.numbers.cend()).size() ==
                  listed.numbers.size(),
              "no number twice");
    for (const QString &number : listed.numbers.mid(1)) {
        fuzzCheck(!number.isEmpty(), "a hit has a number");
        for (QChar c : number)
            fuzzCheck(c >= u'0' && c <= u'9', "a hit's number is digits");
    }

    // The web view's answer: a title page, a results list or nothing.
    plugin.downloadComplete(Text(page));
    plugin.downloadDataComplete(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    fuzzCheck(plugin.resultsTitles().size() == plugin.resultsURLs().size(), "aligned lists");
    return 0;
}
