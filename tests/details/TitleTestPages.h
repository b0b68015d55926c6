#pragma once

#include "details/TitlePage.h"
#include "platform/TextEncoding.h"
#include "tests/support/TestMain.h"

// Title pages for the field-group tests: a saved page of the site, or a hand-written snippet
// with just the markup a rule needs. Neither ever fetches another page.

inline TitlePage titlePageFromText(const QString &html, FieldsController *fields = nullptr,
                                   const Text &searchedTitle = {})
{
    TitlePage page(html, QStringLiteral("0000001"), fields, searchedTitle);
    page.setFullCreditsLoader({});
    page.setKeywordsLoader({});
    return page;
}

inline TitlePage savedTitlePage(const QString &relativePath, FieldsController *fields = nullptr,
                                const Text &searchedTitle = {})
{
    return titlePageFromText(platform::decodeUtf8OrLatin1(readTestData(relativePath)), fields,
                             searchedTitle);
}

// A snippet page whose JSON-LD block holds `json` (which need not be valid JSON).
inline QString withStructuredData(const QString &json, const QString &markup = {})
{
    return QStringLiteral("<html><head><script type=\"application/ld+json\">") + json +
           QStringLiteral("</script></head><body>") + markup + QStringLiteral("</body></html>");
}
