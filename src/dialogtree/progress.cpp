#include "progress.h"

#include <cmath>

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

void TProgressSteps::Show(int percent) {
    if (percent == Shown_) {
        return;
    }
    Shown_ = percent;
    Port_.SetProgress(percent);
}

} // namespace dialoscope
