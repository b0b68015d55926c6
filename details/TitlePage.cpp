#include "details/TitlePage.h"

#include "details/PageRequests.h"
#include "host/HostController.h"

namespace {

QVariant parseStructuredData(const Text &page)
{
    return page.stringBetween(u"<script type=\"application/ld+json\">", u"</script>").JSONValue();
}

} // namespace

TitlePage::TitlePage(Text pageText, QString number, FieldsController *fieldsController,
                     Text searched)
    : page(pageText.preparedForSearches())
    , structuredData(parseStructuredData(page))
    , scanner(page.string(), page.searchShadow())
    , fields(fieldsController)
    , titleNumber(std::move(number))
    , searchedTitle(std::move(searched))
    , m_fullCreditsLoader(details::fetchFullCreditsPage)
    , m_keywordsLoader(details::fetchKeywordsPage)
{}

QVariant TitlePage::structured(const QString &key) const
{
    if (structuredData.typeId() != QMetaType::QVariantMap)
        return {};
    return structuredData.toMap().value(key);
}

Text TitlePage::structuredText(const QString &key) const
{
    return Text::fromVariant(structured(key));
}

std::optional<QString> TitlePage::customField(const QString &title) const
{
    if (!fields)
        return std::nullopt;
    return fields->customFieldWithTitle(title);
}

Text TitlePage::fullCreditsPage()
{
    if (!m_fullCredits)
        m_fullCredits = m_fullCreditsLoader ? m_fullCreditsLoader(titleNumber) : Text();
    return *m_fullCredits;
}

Text TitlePage::keywordsPage()
{
    if (!m_keywords)
        m_keywords = m_keywordsLoader ? m_keywordsLoader(titleNumber) : Text();
    return *m_keywords;
}
