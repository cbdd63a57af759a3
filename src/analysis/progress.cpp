#include "detail/progress.h"

namespace dialoscope {

std::int32_t ProgressPercent(std::int64_t position, std::int64_t last) {
    // Exact integer arithmetic: a floating-point product could put 12.5 a hair off the half.
    const std::int64_t scaled = position * 100;
    std::int64_t quotient = scaled / last;
    const std::int64_t twiceRemainder = 2 * (scaled % last);
    if (twiceRemainder > last || (twiceRemainder == last && quotient % 2 != 0)) {
        ++quotient;
    }
    return static_cast<std::int32_t>(quotient);
}

} // namespace dialoscope
