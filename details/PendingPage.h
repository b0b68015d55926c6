#pragma once

#include "host/Text.h"

#include <functional>
#include <future>
#include <memory>

namespace details {

// A page requested in the background now and read later: a lookup asks for the title's
// other pages at the same time as the title page, so their answers come in parallel.
class PendingPage
{
public:
    // Starts `load` at once on a background thread.
    static std::shared_ptr<PendingPage> start(std::function<Text()> load);

    // The page, waiting for it when it has not come yet.
    Text get() const { return m_page.get(); }

private:
    explicit PendingPage(std::shared_future<Text> page) : m_page(std::move(page)) {}
    std::shared_future<Text> m_page;
};

} // namespace details
