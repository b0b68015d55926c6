#include "host/HostController.h"

#include <atomic>

namespace host {
namespace {
std::atomic<HostController *> delegate{nullptr};
}

HostController *applicationDelegate()
{
    return delegate.load();
}

void setApplicationDelegate(HostController *controller)
{
    delegate.store(controller);
}

QWidget *mainWindow()
{
    HostController *controller = applicationDelegate();
    return controller ? controller->mainWindow() : nullptr;
}

Text entryText(const CatalogueEntry *entry, const QString &key)
{
    if (!entry)
        return {};
    const QVariant value = entry->valueForKey(key);
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return QString::number(value.toLongLong());
    default:
        return {};
    }
}

} // namespace host
