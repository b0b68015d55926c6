#include "details/PendingPage.h"

#include <QThreadPool>

namespace details {
namespace {

// Threads of their own, so that a busy global pool (the web view's fetches) never holds
// these requests back; a lookup asks for up to three pages at once.
class PagePool : public QThreadPool
{
public:
    PagePool() { setMaxThreadCount(9); }
};

QThreadPool &pagePool()
{
    static PagePool pool;
    return pool;
}

} // namespace

std::shared_ptr<PendingPage> PendingPage::start(std::function<Text()> load)
{
    auto promise = std::make_shared<std::promise<Text>>();
    std::shared_ptr<PendingPage> pending(new PendingPage(promise->get_future().share()));
    pagePool().start([promise, load = std::move(load)] { promise->set_value(load()); });
    return pending;
}

} // namespace details
