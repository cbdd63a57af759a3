#pragma once
// The progress pane of a long command: whole percents, sent only when they change.

#include "analysis/port.h"

#include <cstdint>

namespace dialoscope {

// done / total * 100, in that order and in floating point, rounded to the nearest whole number
// with halves going to the even neighbour. total must be positive.
int PercentOf(std::int32_t done, std::int32_t total);

// The progress of a walk over positions 0..total. The percent is worked out only when a
// position reaches the next change, since a walk over millions of tokens passes most positions
// without one.
class TProgressSteps {
public:
    TProgressSteps(TPort& port, std::int32_t total) : Port_(port), Total_(total) {}
    // done must not go down between calls.
    void Reached(std::int32_t done);

private:
    // The first position after done whose percent exceeds percent.
    std::int32_t NextChange(std::int32_t done, int percent) const;

    TPort& Port_;
    std::int32_t Total_;
    std::int32_t Next_ = 0;
    int Shown_ = -1;
};

} // namespace dialoscope
