#pragma once
// Which message use of a node belongs to which said line and which answer. A node record keeps
// its lines, its answers and its message uses as separate lists; the node analysis records a
// line's or an answer's message parts right before the line or answer itself, so walking the
// uses in order, each line's first part is the first use ahead that carries the same part text
// with a matching statement. Uses skipped on the way are the later parts of a concatenation.

#include "analysis/node_lists.h"

#include <cstdint>
#include <vector>

namespace dialoscope::graph_detail {

// For each said line, the index of its first message use, or -1 when it records none (a part
// that did not convert is not recorded). Linear in the node's lines and uses.
std::vector<std::int32_t> FirstUsesOfLines(const TNodeLists& lists);

// The same for each answer.
std::vector<std::int32_t> FirstUsesOfAnswers(const TNodeLists& lists);

} // namespace dialoscope::graph_detail
