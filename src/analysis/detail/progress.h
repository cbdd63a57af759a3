#pragma once
// The progress pane's percentage during Analyze.

#include <cstdint>

namespace dialoscope {

// position / last x 100, rounded to the nearest whole number with a half going to the even
// neighbour (12.5 gives 12, 13.5 gives 14). last must be positive.
std::int32_t ProgressPercent(std::int64_t position, std::int64_t last);

} // namespace dialoscope
