#include "platform/Bundle.h"

#include <QFileInfo>

#include <dlfcn.h>

namespace platform {

QString moduleDirectoryContaining(const void *address)
{
    Dl_info info{};
    if (!dladdr(address, &info) || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

} // namespace platform
