#pragma once

#include "host/Text.h"
#include "platform/Cursor.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

class FieldsController;

// Everything a field group reads for one lookup: the title page's text, its structured data
// (the parsed JSON-LD block), the page scanner the groups share, the host's fields
// controller, and the title's other pages, fetched when a group first asks for them.
class TitlePage
{
public:
    using PageLoader = std::function<Text(const QString &titleNumber)>;

    TitlePage(Text page, QString titleNumber, FieldsController *fields = nullptr,
              Text searchedTitle = {});

    Text page;
    QVariant structuredData;
    platform::Cursor scanner;
    FieldsController *fields;
    QString titleNumber;
    // The title the user searched with (null when none).
    Text searchedTitle;

    // The structured data's value under `key`; invalid when the data is not a dictionary.
    QVariant structured(const QString &key) const;
    // The same when it is a text; null otherwise.
    Text structuredText(const QString &key) const;
    // The record key of the catalogue's user-defined field titled `title`, or nothing.
    std::optional<QString> customField(const QString &title) const;

    // The full-credits and keywords pages, fetched once, on first use (null when they could
    // not be read). The loaders default to the site requests; tests and prefetching replace
    // them.
    Text fullCreditsPage();
    Text keywordsPage();
    void setFullCreditsLoader(PageLoader loader) { m_fullCreditsLoader = std::move(loader); }
    void setKeywordsLoader(PageLoader loader) { m_keywordsLoader = std::move(loader); }

private:
    PageLoader m_fullCreditsLoader;
    PageLoader m_keywordsLoader;
    std::optional<Text> m_fullCredits;
    std::optional<Text> m_keywords;
};
