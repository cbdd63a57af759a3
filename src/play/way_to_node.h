#pragma once
// The way to a node: the shortest sequence of choices (answers and calls) that leads from a
// dialog start to it, found breadth first from all starts at once, so of equally short ways the
// one from the earlier start and the earlier choices wins.

#include "play_script.h"
#include "play_walk.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace dialoscope {

struct TPlayWay {
    std::int32_t Start = -1;      // the dialog start's node
    std::vector<TPlayStep> Steps; // empty when the node is a start itself
};

// Nothing when no dialog start reaches node ("not reachable from any dialog start"), which is
// always so in a script without a dialog start. Time linear in the nodes and choices.
std::optional<TPlayWay> FindWayTo(const TPlayScript& script, std::int32_t node);

// The walk that has taken the way; way must come from FindWayTo on the same script.
TPlayWalk WalkAlong(const TPlayScript& script, const TPlayWay& way);

} // namespace dialoscope
