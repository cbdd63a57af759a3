#include "node_index.h"

namespace dialoscope {

TNodeIndex::TNodeIndex(const std::deque<TNodeKeep>& nodes) {
    Last_.reserve(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        Last_[nodes[i].Name] = static_cast<std::int32_t>(i);
    }
}

std::int32_t TNodeIndex::Find(std::string_view name) const {
    const auto it = Last_.find(name);
    return it == Last_.end() ? -1 : it->second;
}

} // namespace dialoscope
