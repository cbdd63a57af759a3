#pragma once
// Work on a thread of its own while the window's event loop keeps turning: the project run,
// Export Strings and Import Translation, which would otherwise freeze the window for seconds.

#include <atomic>
#include <functional>

namespace dialoscope {

class TWindowPort;

// Runs job on a thread of its own while the window's event loop turns, and rethrows what it
// threw. The window closing during the wait ends it (TCommandAborted from the port's turn):
// cancel is then set and the job waited for, as it must not outlive what it reads and writes.
void RunBesideEventLoop(TWindowPort& port, std::atomic<bool>& cancel,
                        const std::function<void()>& job);

} // namespace dialoscope
