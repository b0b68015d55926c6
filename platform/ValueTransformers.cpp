#include "platform/ValueTransformers.h"

#include <QHash>
#include <QMutex>

namespace platform {
namespace {

struct Registry
{
    QMutex mutex;
    QHash<QString, std::shared_ptr<const ValueTransformer>> transformers;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

} // namespace

void setValueTransformer(const std::shared_ptr<const ValueTransformer> &transformer,
                         const QString &name)
{
    Registry &r = registry();
    QMutexLocker lock(&r.mutex);
    if (transformer)
        r.transformers.insert(name, transformer);
    else
        r.transformers.remove(name);
}

std::shared_ptr<const ValueTransformer> valueTransformerForName(const QString &name)
{
    Registry &r = registry();
    QMutexLocker lock(&r.mutex);
    return r.transformers.value(name);
}

} // namespace platform
