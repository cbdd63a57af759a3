#pragma once
// TNodeNames: the node records by name. Two nodes may share a name; the last record with the
// name is the node the name stands for (exact case), wherever a name is looked up: Build Dialog
// Tree, Find Node by name, the checks and the statistics.

#include "name_table.h"
#include "tables.h"

#include <cstdint>
#include <deque>
#include <string_view>

namespace dialoscope {

class TNodeNames {
public:
    // Keeps views of the records' names: the records must stay unchanged while it is used.
    explicit TNodeNames(const std::deque<TNodeKeep>& nodes);

    // The index of the last record named exactly name, or -1.
    std::int32_t Find(std::string_view name) const;

private:
    TNameTable Last_;
};

} // namespace dialoscope
