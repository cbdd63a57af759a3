#pragma once
// TForwardNames: how often each name occurs among the forward declarations read most recently
// in this Analyze (Funcs[1..ForwardCount]), so that a direct call costs one lookup instead of a
// walk over every declaration.

#include "analysis/name_table.h"

#include <cstdint>
#include <string_view>

namespace dialoscope {

class TForwardNames {
public:
    // Forgets the previous section: a new forward section replaces Funcs from entry 1 on.
    void Clear() { Counts_.Clear(); }
    // The name must outlive this object (token texts do, for the whole Analyze).
    void Add(std::string_view name) { ++Counts_.FindOrInsert(name, 0); }
    // The number of declarations with exactly this name (case-sensitive).
    std::int32_t CountOf(std::string_view name) const;

private:
    TNameTable Counts_;
};

} // namespace dialoscope
