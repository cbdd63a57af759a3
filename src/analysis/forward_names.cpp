#include "detail/forward_names.h"

namespace dialoscope {

std::int32_t TForwardNames::CountOf(std::string_view name) const {
    const std::int32_t* count = Counts_.Find(name);
    return count == nullptr ? 0 : *count;
}

} // namespace dialoscope
