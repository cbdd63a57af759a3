#include "beside_event_loop.h"

#include "window_port.h"

#include <QCoreApplication>

#include <exception>
#include <thread>

namespace dialoscope {

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
    try {
        while (!done) {
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
            port.Turn();
        }
    } catch (...) {
        // The window closed meanwhile: the job is stopped and waited for however the wait ends.
        cancel = true;
        worker.join();
        throw;
    }
    worker.join();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace dialoscope
