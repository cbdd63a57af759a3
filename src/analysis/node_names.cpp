#include "node_names.h"

namespace dialoscope {

TNodeNames::TNodeNames(const std::deque<TNodeKeep>& nodes) {
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        Last_.FindOrInsert(nodes[i].Name, 0) = static_cast<std::int32_t>(i);
    }
}

std::int32_t TNodeNames::Find(std::string_view name) const {
    const std::int32_t* last = Last_.Find(name);
    return last == nullptr ? -1 : *last;
}

} // namespace dialoscope
