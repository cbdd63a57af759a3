#pragma once
// The progress pane of a long command: whole percents, sent only when they change.

#include "analysis/port.h"

#include <cstdint>

namespace dialoscope {

// done / total * 100, in that order and in floating point, rounded to the nearest whole number
// with halves going to the even neighbour. total must be positive.
int PercentOf(std::int32_t done, std::int32_t total);

class TProgressSteps {
public:
    explicit TProgressSteps(TPort& port) : Port_(port) {}
    void Show(int percent);

private:
    TPort& Port_;
    int Shown_ = -1;
};

} // namespace dialoscope
