#include "apps/catalogue/SelectedEntry.h"

SelectedEntry::SelectedEntry(CatalogueStore &store, qint64 id) : m_store(&store), m_id(id)
{
    reload();
}

void SelectedEntry::reload()
{
    const QVariantMap values =
        m_store ? m_store->entry(m_id).value_or(QVariantMap()) : QVariantMap();
    QMutexLocker lock(&m_mutex);
    m_values = values;
}

QVariant SelectedEntry::valueForKey(const QString &key) const
{
    QMutexLocker lock(&m_mutex);
    return m_values.value(key);
}

void SelectedEntry::setValueForKey(const QString &key, const QVariant &value)
{
    {
        QMutexLocker lock(&m_mutex);
        if (value.isValid() && !value.isNull())
            m_values.insert(key, value);
        else
            m_values.remove(key);
    }
    if (!m_store)
        return;
    // The store's connection belongs to its thread: a write from elsewhere is queued there.
    QMetaObject::invokeMethod(
        m_store.data(),
        [store = m_store, id = m_id, key, value] {
            if (store)
                store->updateEntry(id, {{key, value}});
        },
        Qt::AutoConnection);
}
