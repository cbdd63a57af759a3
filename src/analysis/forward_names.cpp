#include "forward_names.h"

namespace dialoscope {

std::int32_t TForwardNames::CountOf(std::string_view name) const {
    const auto it = Counts_.find(name);
    return it == Counts_.end() ? 0 : it->second;
}

} // namespace dialoscope
