#pragma once

#include "apps/catalogue/CatalogueStore.h"
#include "host/HostController.h"

#include <QMutex>
#include <QPointer>
#include <QVariantMap>

// The catalogue entry the plug-in is handed as the selected one. It reads from a copy of the
// entry's values taken when it was handed out (renewed each time it is handed out again), and
// writes through to the store, each write one transaction on the store's thread.
class SelectedEntry : public CatalogueEntry
{
public:
    SelectedEntry(CatalogueStore &store, qint64 id);

    qint64 id() const { return m_id; }
    // Takes a fresh copy of the entry's values from the store.
    void reload();

    QVariant valueForKey(const QString &key) const override;
    void setValueForKey(const QString &key, const QVariant &value) override;

private:
    QPointer<CatalogueStore> m_store;
    const qint64 m_id;
    mutable QMutex m_mutex;
    QVariantMap m_values;
};
