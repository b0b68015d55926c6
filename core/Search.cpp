// The host's search: what to search for, direct answers for title numbers, and the find page
// loaded in the web view.

#include "core/IMDB.h"

#include "platform/SiteConfig.h"
#include "platform/TextEncoding.h"
#include "platform/WebView.h"

#include <QDate>

using namespace platform;

namespace {

const QString resultsScript = QStringLiteral(
    "document.getElementsByClassName(\"ipc-metadata-list--dividers-after\")[0].innerHTML");

// The query as it goes into an address: spaces as "+", ";" as an escaped space, everything
// else that may not stand in a URL percent-escaped.
QString encodedQuery(const QString &text)
{
    QString query = text;
    query.replace(u' ', u'+');
    query.replace(u';', u' ');
    return percentEscaped(query);
}

bool isPresent(const QVariant &value)
{
    return value.isValid() && !value.isNull();
}

} // namespace

void IMDB::searchFor(const QVariantMap &search, SearchSender *sender)
{
    setTheatricalYear(0);
    setCurrentTitle(Text::fromVariant(search.value(QStringLiteral("title"))));

    const QVariant keyword = search.value(QStringLiteral("keyword"));
    const QVariant imdb = search.value(QStringLiteral("imdb"));
    const Text url = Text::fromVariant(search.value(QStringLiteral("url")));
    const Text originalTitle = Text::fromVariant(search.value(QStringLiteral("originalTitle")));
    const Text title = Text::fromVariant(search.value(QStringLiteral("title")));

    if (isPresent(keyword)) {
        searchForString(keyword.toString(), 0, 0, 0, sender);
    } else if (isPresent(imdb)) {
        searchForString(padIMDBNumber(imdb.toString()), 1, 0, 0, sender);
    } else if (url.contains(QString(site::bareHost() + u"/title/tt"))) {
        const Text number = imdbNumberFromURL(url);
        if (!number.isNull()) {
            searchForString(number.string(), 1, 0, 0, sender);
            return;
        }
        // An address on the site that names no title: nothing to search.
        reportNothingToSearch(sender);
    } else if (originalTitle.isNotEmpty()) {
        searchForString(originalTitle.string(), 0, 0, 0, sender);
    } else if (title.isNotEmpty()) {
        searchForString(title.string(), 0, 0, 0, sender);
    } else {
        reportNothingToSearch(sender);
    }

    const QVariant theatrical = search.value(QStringLiteral("theatrical"));
    if (theatrical.typeId() == QMetaType::QDate && theatrical.toDate().isValid())
        setTheatricalYear(theatrical.toDate().year());
}

void IMDB::searchForString(const QString &query, qint64 limit, qint64, qint64, SearchSender *sender)
{
    const QString composed = precomposed(query);
    const Text number = checkIMDBNumber(composed);
    const QString encoded = encodedQuery(number.isNull() ? composed : number.string());
    const bool webSearch = number.isNull() && limit != 1;

    // The new search's results replace the old ones in one step, so a lookup running on
    // another thread sees either search whole, never the gap between them.
    {
        QMutexLocker lock(&m_searchMutex);
        m_theatricalYear = 0;
        m_awaitingWebResults = webSearch;
        if (webSearch)
            clearResults();
        else
            setResults({{u"IMDB #:" + encoded}, {encoded}});
    }
    setDelegate(sender);

    if (!webSearch) {
        reportResults();
        return;
    }
    if (!m_aWebView) {
        m_aWebView = WebView::create();
        connect(m_aWebView.get(), &WebView::didFinishNavigation, this,
                &IMDB::webViewDidFinishNavigation);
        connect(m_aWebView.get(), &WebView::didFailNavigation, this,
                &IMDB::webViewDidFailNavigation);
    }
    m_aWebView->load(
        site::address(site::Scheme::Https, site::Host::Www, u"/find?s=tt&q=" + encoded));
}

void IMDB::reportNothingToSearch(SearchSender *sender)
{
    // The lists are emptied too, so that the report and the lists agree, and a web search
    // still loading is abandoned: every search ends with exactly one report.
    {
        QMutexLocker lock(&m_searchMutex);
        m_awaitingWebResults = false;
        clearResults();
    }
    setDelegate(sender);
    reportResults();
}

void IMDB::webViewDidFinishNavigation()
{
    if (!takeAwaitedWebResults())
        return;
    QPointer<IMDB> self(this);
    m_aWebView->evaluateJavaScript(resultsScript, [self](std::optional<QString> html) {
        if (self)
            self->downloadComplete(Text(std::move(html)));
    });
}

void IMDB::webViewDidFailNavigation()
{
    if (takeAwaitedWebResults())
        downloadComplete(Text());
}

bool IMDB::takeAwaitedWebResults()
{
    QMutexLocker lock(&m_searchMutex);
    const bool awaited = m_awaitingWebResults;
    m_awaitingWebResults = false;
    return awaited;
}

void IMDB::downloadDataComplete(const QByteArray &data)
{
    downloadComplete(Text(decodeUtf8(data)));
}

void IMDB::downloadComplete(const Text &page)
{
    if (page.contains(u"fullcredits?ref")) {
        Text heading = page.stringBetween(u">", u"<", u"class=\"header\"");
        // Later pages wrap the title in a span inside the heading; the text up to the first
        // tag is then blank, and the whole heading names the title instead.
        if (!heading.stringByCleaningHTML().isNotEmpty() && !heading.isNull()) {
            heading = page.stringBetween(u"class=\"header\"", u"</h1>")
                          .after(u">")
                          .stringByCleaningHTML()
                          .stringByRemovingNewLines();
        }
        addTitlePageResult(page, heading);
    } else if (page.contains(u"class=\"headerinline")) {
        addTitlePageResult(page, page.stringBetween(u"content=\"", u"\"", u"name=\"title\""));
    } else if (!page.isNull()) {
        addResultsFromString(page.string());
    }
    reportResults();
}

void IMDB::addTitlePageResult(const Text &page, const Text &heading)
{
    const Text title = heading.stringByCleaningHTML();
    const Text number = page.stringBetween(u"/title/tt", u"/");
    if (title.isNull() || number.isNull())
        return;
    QMutexLocker lock(&m_searchMutex);
    appendResult(title.string(), number.string());
}

void IMDB::reportResults()
{
    if (SearchSender *sender = delegate())
        sender->searchReturnedNumberOfResults(resultsURLs().size(), this);
}
