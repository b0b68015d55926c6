#pragma once

#include "details/TitlePage.h"
#include "details/TitleRecord.h"
#include "platform/TextEncoding.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"
#include "tests/support/TestMain.h"

#include <QStringList>

// Helpers for the tests of the credit readers and the pages they read.

// A saved page, decoded as a lookup decodes the title page.
inline Text savedPage(const QString &relativePath)
{
    return platform::decodeUtf8OrLatin1(readTestData(relativePath));
}

// A title page whose full-credits and keywords pages are the given texts (null: could not be
// read), so that it never goes to the network.
inline TitlePage offlineTitlePage(const Text &page, const Text &fullCredits = {},
                                  const Text &keywords = {})
{
    TitlePage titlePage(page, QStringLiteral("0000001"));
    titlePage.setFullCreditsLoader([fullCredits](const QString &) { return fullCredits; });
    titlePage.setKeywordsLoader([keywords](const QString &) { return keywords; });
    return titlePage;
}

// Every user default absent (off), then the given ones on.
inline void switchOnOnly(const QList<QString> &keys)
{
    for (const QString &key : prefs::allKeys())
        platform::UserDefaults::removeObject(key);
    for (const QString &key : keys)
        platform::UserDefaults::setBool(key, true);
}

// A record as it stands after the title-page cast step: an empty credits list.
inline TitleRecord recordWithCredits(const QVariantMap &values = {})
{
    TitleRecord record(values);
    record.set(recordkey::credits, QVariant(QVariantList()));
    return record;
}

// One credit entry as "name = role", or just "name" when the entry has no role at all.
inline QString describeCredit(const QVariant &entry)
{
    const QVariantMap map = entry.toMap();
    QString text = map.value(QStringLiteral("name")).toString();
    if (map.contains(QStringLiteral("role")))
        text += u" = " + map.value(QStringLiteral("role")).toString();
    return text;
}

inline QStringList describeCredits(const TitleRecord &record)
{
    QStringList entries;
    for (const QVariant &entry : record.credits())
        entries.append(describeCredit(entry));
    return entries;
}
