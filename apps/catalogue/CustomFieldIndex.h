#pragma once

#include "apps/catalogue/CatalogueStore.h"
#include "host/HostController.h"

#include <QHash>
#include <QMutex>
#include <QObject>

// Answers the plug-in's questions about user-defined fields. A lookup asks from its worker
// thread, where the GUI thread's database connection must not be used, so the answers come
// from a copy of the fields table kept under a lock and renewed whenever the store says the
// fields changed.
class CustomFieldIndex : public QObject, public FieldsController
{
    Q_OBJECT
public:
    explicit CustomFieldIndex(CatalogueStore &store, QObject *parent = nullptr);

    // The record key of the field titled `title`, compared ignoring case. Any thread.
    std::optional<QString> customFieldWithTitle(const QString &title) override;

private:
    void reload();

    CatalogueStore &m_store;
    QMutex m_mutex;
    // Case-folded title -> record key.
    QHash<QString, QString> m_keys;
};
