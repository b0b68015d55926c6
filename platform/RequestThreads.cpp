#include "platform/RequestThreads.h"

#include <QCoreApplication>
#include <QThreadPool>

#include <mutex>
#include <utility>

namespace platform {
namespace {

QThreadPool *pool = nullptr;
std::once_flag poolMade;

void takeDownPool()
{
    // Waits for the requests still running: each ends by its own time limit.
    delete std::exchange(pool, nullptr);
}

} // namespace

QThreadPool &requestThreads()
{
    std::call_once(poolMade, [] {
        pool = new QThreadPool;
        // A lookup asks for up to three pages at once, and a host may run a few lookups.
        pool->setMaxThreadCount(9);
        qAddPostRoutine(takeDownPool);
    });
    return *pool;
}

} // namespace platform
