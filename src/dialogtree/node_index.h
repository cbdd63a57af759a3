#pragma once
// TNodeIndex: the node records by name, for the many lookups of one Build Dialog Tree. Gives
// exactly what a scan of all records gives: the last record with the name, exact case.

#include "analysis/name_table.h"
#include "analysis/tables.h"

#include <cstdint>
#include <deque>
#include <string_view>

namespace dialoscope {

class TNodeIndex {
public:
    // Keeps views of the records' names: the records must stay unchanged while it is used.
    explicit TNodeIndex(const std::deque<TNodeKeep>& nodes);

    // The index of the last record named exactly name, or -1.
    std::int32_t Find(std::string_view name) const;

private:
    TNameTable Last_;
};

} // namespace dialoscope
