#include "details/PendingPage.h"

#include "platform/RequestThreads.h"

#include <QThreadPool>

namespace details {

std::shared_ptr<PendingPage> PendingPage::start(std::function<Text()> load)
{
    auto promise = std::make_shared<std::promise<Text>>();
    std::shared_ptr<PendingPage> pending(new PendingPage(promise->get_future().share()));
    platform::requestThreads().start(
        [promise, load = std::move(load)] { promise->set_value(load()); });
    return pending;
}

} // namespace details
