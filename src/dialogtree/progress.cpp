#include "detail/progress.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dialoscope {

namespace {

double RoundHalfToEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5) {
        return floor + 1.0;
    }
    if (fraction < 0.5) {
        return floor;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

} // namespace

int PercentOf(std::int32_t done, std::int32_t total) {
    const double percent = static_cast<double>(done) / static_cast<double>(total) * 100.0;
    return static_cast<int>(RoundHalfToEven(percent));
}

void TProgressSteps::Reached(std::int32_t done) {
    // A script of one token and the end of file steps once past the end: the pane shows 100,
    // not 200.
    done = std::min(done, Total_);
    if (done < Next_) {
        return;
    }
    const int percent = PercentOf(done, Total_);
    if (percent != Shown_) {
        Shown_ = percent;
        Port_.SetProgress(percent);
    }
    Next_ = NextChange(done, percent);
}

std::int32_t TProgressSteps::NextChange(std::int32_t done, int percent) const {
    if (percent >= 100 || done >= Total_) {
        return std::numeric_limits<std::int32_t>::max();
    }
    // Start near the exact boundary and let PercentOf itself settle the last step, so the
    // shown values are exactly those of working it out at every position.
    const double boundary = (percent + 0.5) / 100.0 * static_cast<double>(Total_);
    auto next = static_cast<std::int32_t>(
        std::clamp(boundary, static_cast<double>(done) + 1.0, static_cast<double>(Total_)));
    while (next > done + 1 && PercentOf(next - 1, Total_) > percent) {
        --next;
    }
    while (next < Total_ && PercentOf(next, Total_) <= percent) {
        ++next;
    }
    return next;
}

} // namespace dialoscope
