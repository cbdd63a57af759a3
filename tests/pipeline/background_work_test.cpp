// Work for the second core: done by the time Finish returns, its exception handed on, and the
// waiting thread kept breathing meanwhile.

#include "pipeline/detail/background_work.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace dialoscope {
namespace {

TEST(BackgroundWork, DoneByFinishWithItsExceptionHandedOn) {
    for (const bool worthAThread : {true, false}) {
        SCOPED_TRACE(worthAThread);
        bool done = false;
        TBackgroundWork work([&done] { done = true; }, worthAThread);
        work.Finish({});
        EXPECT_TRUE(done);

        TBackgroundWork failing([] { throw std::runtime_error("no room"); }, worthAThread);
        EXPECT_THROW(failing.Finish({}), std::runtime_error);
    }
}

// Small work runs in Finish: no other thread, and no breath a caller would have to count.
TEST(BackgroundWork, SmallWorkRunsInFinishWithoutABreath) {
    std::thread::id ranOn;
    int breaths = 0;
    TBackgroundWork work([&ranOn] { ranOn = std::this_thread::get_id(); }, false);
    work.Finish([&breaths] { ++breaths; });
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_EQ(breaths, 0);
}

// The work waits for the waiting thread's breath; a Finish that only blocked would leave it
// waiting until its deadline.
TEST(BackgroundWork, FinishBreathesWhileItWaits) {
    std::atomic<bool> breathed = false;
    bool sawBreath = false;
    const auto waitForABreath = [&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!breathed && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        sawBreath = breathed;
    };
    TBackgroundWork work(waitForABreath, true);
    work.Finish([&] { breathed = true; });
    EXPECT_TRUE(sawBreath);
}

} // namespace
} // namespace dialoscope
