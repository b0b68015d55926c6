#include "apps/catalogue/CustomFieldIndex.h"

CustomFieldIndex::CustomFieldIndex(CatalogueStore &store, QObject *parent)
    : QObject(parent), m_store(store)
{
    connect(&store, &CatalogueStore::customFieldsChanged, this, &CustomFieldIndex::reload);
    reload();
}

void CustomFieldIndex::reload()
{
    QHash<QString, QString> keys;
    for (const CustomField &field : m_store.customFields())
        keys.insert(field.title.toCaseFolded(), field.recordKey);
    QMutexLocker lock(&m_mutex);
    m_keys.swap(keys);
}

std::optional<QString> CustomFieldIndex::customFieldWithTitle(const QString &title)
{
    QMutexLocker lock(&m_mutex);
    const auto found = m_keys.constFind(title.toCaseFolded());
    if (found == m_keys.cend())
        return std::nullopt;
    return *found;
}
