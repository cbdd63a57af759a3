#pragma once
// Work that may crash, hang or abort, done in a child process: Graphviz's layout can abort the
// process on some inputs and is not thread-safe, so the map never runs it in the window's
// process. The child is a fork of the caller: it sees the caller's data as it was at the fork
// and hands back only bytes through a pipe. A child that dies, or ends without its whole answer,
// is a failure; one that runs past the timeout or is cancelled is killed.
//
// Only the forking thread is copied into the child, and a lock another thread held at the fork
// stays held there. The work therefore takes no lock of the caller's (the C library resets its
// own allocator and stream locks for a forked child), and should anything still block, the
// timeout ends the child.

#include <chrono>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>

namespace dialoscope::graph_detail {

enum class TChildStatus : std::uint8_t {
    Done,      // the child gave its whole answer and exited with status 0
    Failed,    // it crashed, aborted, exited otherwise, or could not be started
    TimedOut,  // it ran past the timeout and was killed
    Cancelled, // a stop was requested and it was killed
};

struct TChildResult {
    TChildStatus Status = TChildStatus::Failed;
    std::string Output; // Done: what the work returned
    std::string Why;    // Failed: the signal or exit status, or why no child could start
};

// Runs work in a forked child and waits for it, looking at stop every few tens of
// milliseconds. work's exceptions fail the child. Safe to call from any thread.
TChildResult RunInChildProcess(const std::function<std::string()>& work,
                               std::chrono::milliseconds timeout, std::stop_token stop = {});

} // namespace dialoscope::graph_detail
