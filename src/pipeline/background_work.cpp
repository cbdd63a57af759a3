#include "pipeline/detail/background_work.h"

#include <chrono>
#include <system_error>
#include <utility>

namespace dialoscope {

TBackgroundWork::TBackgroundWork(std::function<void()> work, bool worthAThread)
    : Work_(std::move(work)) {
    if (!worthAThread) {
        return;
    }
    try {
        Done_ = std::async(std::launch::async, Work_);
    } catch (const std::system_error&) {
        // No thread to be had: Finish does the work.
    }
}

bool TBackgroundWork::Ended() const {
    return !Done_.valid() || Done_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

void TBackgroundWork::Finish(const std::function<void()>& breathe) {
    if (!Done_.valid()) {
        Work_();
        return;
    }
    // Short waits: a port may count several calls before it looks at the clock.
    while (Done_.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
        if (breathe) {
            breathe();
        }
    }
    Done_.get();
}

} // namespace dialoscope
