#pragma once
// Which message use of a node belongs to which said line and which answer. A node record keeps
// its lines, its answers and its message uses as separate lists; the node analysis records a
// line's or an answer's message parts right before the line or answer itself, so walking the
// uses in order, each line's first part is the first use ahead that carries the same part text
// with a matching statement. Uses skipped on the way are the later parts of a concatenation.

#include "msg_use_order.h"
#include "node_lists.h"

#include <cstdint>
#include <vector>

namespace dialoscope {

// The message uses of one said line or answer: its first part at First, and a concatenation's
// later parts among the uses on the same side (IsAnswerUse) before End. First is -1 when it
// records none (a part that did not convert is not recorded).
struct TUseRun {
    std::int32_t First = -1;
    std::int32_t End = -1;
};

// One run per said line, in order. Linear in the node's lines and uses.
std::vector<TUseRun> UseRunsOfLines(const TNodeLists& lists);

// One run per answer, in order.
std::vector<TUseRun> UseRunsOfAnswers(const TNodeLists& lists);

} // namespace dialoscope
