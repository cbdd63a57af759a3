#pragma once
// A node's message uses in the order they stand in the node. The analysis records them pass by
// pass (Say and Write, then SayWOAnswer, then SayForAnswer, then the answers), so a reader who
// wants the node as written sorts them by script line; uses on one line keep the order they were
// recorded in.

#include "node_lists.h"

#include <vector>

namespace dialoscope {

inline bool IsAnswerUse(const TMsgUse& use) {
    return use.Statement == TSaidKind::Answer;
}

// Said lines by line, then answers by line.
std::vector<TMsgUse> UsesInNodeOrder(const TNodeLists& lists);

} // namespace dialoscope
