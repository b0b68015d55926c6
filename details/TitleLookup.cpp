// A chosen result becomes a title record: the title page is fetched and every field group
// runs over it.

#include "core/IMDB.h"

#include "details/DebugFile.h"
#include "details/FieldGroups.h"
#include "details/LegacyPage.h"
#include "details/PageRequests.h"
#include "details/PendingPage.h"
#include "details/TitlePage.h"
#include "details/TitleRecord.h"
#include "host/HostController.h"
#include "platform/StringFormat.h"
#include "platform/SystemLog.h"
#include "platform/TextEncoding.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

#include <QCoreApplication>
#include <QThread>

namespace {

// The host answers for its fields controller on the main thread only.
FieldsController *fieldsControllerFromMainThread()
{
    HostController *host = host::applicationDelegate();
    if (!host)
        return nullptr;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        return host->fieldsController();
    FieldsController *fields = nullptr;
    QMetaObject::invokeMethod(
        app, [&] { fields = host->fieldsController(); }, Qt::BlockingQueuedConnection);
    return fields;
}

Text decodedPage(const QByteArray &body)
{
    if (body.isEmpty())
        return {};
    return platform::decodeUtf8OrLatin1(body);
}

} // namespace

std::optional<QVariantMap> IMDB::resultNumber(qint64 index)
{
    TitleRecord record;

    // One consistent view of the search this lookup belongs to, whatever a new search on
    // the main thread does meanwhile.
    Results results;
    Text searchedTitle;
    {
        QMutexLocker lock(&m_searchMutex);
        results = this->results();
        searchedTitle = m_currentTitle;
    }
    if (index < 0 || index >= results.numbers.size()) {
        fieldsControllerFromMainThread();
        platform::systemLog(platform::stringWithFormat(
            u"Error: IMDb number for requested out of range number %ld", {QString::number(index)}));
        record.set(recordkey::title, QStringLiteral("No Data Found on IMDB"));
        return record.values();
    }

    const QString number = results.numbers.at(index);
    const QUrl address = details::titlePageAddress(number);
    // The pages the options ask for are requested now, in parallel with the title page; a
    // full-credits page wanted only because the title turns out to be a series is
    // requested when that is known.
    std::shared_ptr<details::PendingPage> fullCredits;
    if (platform::UserDefaults::boolForKey(prefs::credits))
        fullCredits =
            details::PendingPage::start([number] { return details::fetchFullCreditsPage(number); });
    std::shared_ptr<details::PendingPage> keywords;
    if (platform::UserDefaults::boolForKey(prefs::additionalPlotKeywords))
        keywords =
            details::PendingPage::start([number] { return details::fetchKeywordsPage(number); });
    const auto titlePageText = details::PendingPage::start(
        [address] { return decodedPage(details::fetchTitlePage(address)); });
    // Asking the main thread for the fields controller may have to wait for its event loop;
    // the requests are under way meanwhile.
    FieldsController *fields = fieldsControllerFromMainThread();
    const Text page = titlePageText->get();
    if (platform::UserDefaults::boolForKey(prefs::debugFile)) {
        details::addToDebugFile(address.toString() + u"\n\n");
        if (!page.isNull())
            details::addToDebugFile(page.string() + u"\n--END--\n\n\n");
    }
    // No page, no record: a record of the frame keys alone would overwrite the entry's
    // fields with nothing.
    if (!page.isNotEmpty())
        return std::nullopt;

    TitlePage titlePage(page, number, fields, searchedTitle);
    if (fullCredits)
        titlePage.setFullCreditsLoader(
            [fullCredits](const QString &) { return fullCredits->get(); });
    if (keywords)
        titlePage.setKeywordsLoader([keywords](const QString &) { return keywords->get(); });
    record.set(recordkey::url, address.toString());
    record.set(recordkey::locale, countryCode());
    record.set(recordkey::localeLanguage, languageCode());
    record.set(recordkey::imdb, number);
    record.setImageLocations({});
    if (page.contains(u"class=\"headerinline"))
        details::oldIMDBParsingStyle(page, number, record, titlePage.fields);

    details::runFieldGroups(titlePage, record);
    return record.values();
}
