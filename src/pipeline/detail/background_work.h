#pragma once
// TBackgroundWork: a piece of work for the second core, so that Analyze on a big script uses
// both. The work must touch nothing the starting thread changes until Finish returns.

#include <functional>
#include <future>

namespace dialoscope {

class TBackgroundWork {
public:
    // Starts work on another thread; when no thread can be had, or the work is too small to be
    // worth one (worthAThread false), Finish runs it instead, with no wait and no breath.
    TBackgroundWork(std::function<void()> work, bool worthAThread);
    TBackgroundWork(const TBackgroundWork&) = delete;
    TBackgroundWork& operator=(const TBackgroundWork&) = delete;
    // Waits for the work, should the starting thread leave early through an exception.
    ~TBackgroundWork() = default;

    // Whether Finish would return at once: the thread has ended, or there is none.
    bool Ended() const;
    // Waits until the work is done, calling breathe (when set) every millisecond or so, so a
    // window waiting here still turns its event loop; rethrows what the work threw.
    void Finish(const std::function<void()>& breathe);

private:
    std::function<void()> Work_;
    std::future<void> Done_; // its destructor waits for the thread
};

} // namespace dialoscope
