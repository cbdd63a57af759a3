#pragma once
// TForwardNames: how often each name occurs among the forward declarations read most recently
// in this Analyze (Funcs[1..ForwardCount]), so that a direct call costs one lookup instead of a
// walk over every declaration.

#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace dialoscope {

class TForwardNames {
public:
    // Forgets the previous section: a new forward section replaces Funcs from entry 1 on.
    void Clear() { Counts_.clear(); }
    // The name must outlive this object (token texts do, for the whole Analyze).
    void Add(std::string_view name) { ++Counts_[name]; }
    // The number of declarations with exactly this name (case-sensitive).
    std::int32_t CountOf(std::string_view name) const;

private:
    std::unordered_map<std::string_view, std::int32_t> Counts_;
};

} // namespace dialoscope
