#include "beside_event_loop.h"

#include "window_port.h"

#include <QCoreApplication>

#include <exception>
#include <thread>

namespace dialoscope {

namespace {

// Joins the worker however the wait for it ends.
class TJoinOnExit {
public:
    TJoinOnExit(std::thread& worker, std::atomic<bool>& cancel)
        : Worker_(worker), Cancel_(cancel) {}
    TJoinOnExit(const TJoinOnExit&) = delete;
    TJoinOnExit& operator=(const TJoinOnExit&) = delete;
    ~TJoinOnExit() {
        if (Worker_.joinable()) {
            Cancel_ = true;
            Worker_.join();
        }
    }

private:
    std::thread& Worker_;
    std::atomic<bool>& Cancel_;
};

} // namespace

void RunBesideEventLoop(TWindowPort& port, std::atomic<bool>& cancel,
                        const std::function<void()>& job) {
    std::exception_ptr failure;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
        // Wakes the wait below, which may sleep until the next event.
        QMetaObject::invokeMethod(
            qApp, [] {}, Qt::QueuedConnection);
    });
    TJoinOnExit join(worker, cancel);
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        port.Turn();
    }
    worker.join();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace dialoscope
