#include "way_to_node.h"

#include <algorithm>
#include <cassert>

namespace dialoscope {

namespace {

struct TReachedBy {
    std::int32_t From = -1; // -1: a start, or not reached
    std::int32_t Choice = -1;
    bool Reached = false;
};

TPlayWay WayBack(const std::vector<TReachedBy>& by, std::int32_t node) {
    TPlayWay way;
    for (std::int32_t at = node; by[static_cast<std::size_t>(at)].From >= 0;) {
        const TReachedBy& step = by[static_cast<std::size_t>(at)];
        way.Steps.push_back({step.From, step.Choice, at});
        at = step.From;
    }
    std::reverse(way.Steps.begin(), way.Steps.end());
    way.Start = way.Steps.empty() ? node : way.Steps.front().From;
    return way;
}

} // namespace

std::optional<TPlayWay> FindWayTo(const TPlayScript& script, std::int32_t node) {
    if (node < 0 || node >= script.NodeCount()) {
        return std::nullopt;
    }
    std::vector<TReachedBy> by(static_cast<std::size_t>(script.NodeCount()));
    std::vector<std::int32_t> queue;
    const auto reach = [&](std::int32_t at, std::int32_t from, std::int32_t choice) {
        TReachedBy& entry = by[static_cast<std::size_t>(at)];
        if (!entry.Reached) {
            entry = {from, choice, true};
            queue.push_back(at);
        }
    };
    for (const TPlayStart& start : script.Starts()) {
        if (start.Node >= 0) {
            reach(start.Node, -1, -1);
        }
    }
    for (std::size_t next = 0; next < queue.size(); ++next) {
        const std::int32_t at = queue[next];
        if (at == node) {
            return WayBack(by, node);
        }
        for (std::int32_t choice = 0; choice < script.ChoiceCount(at); ++choice) {
            const std::int32_t to = script.ChoiceTarget(at, choice);
            if (to >= 0) {
                reach(to, at, choice);
            }
        }
    }
    return std::nullopt;
}

TPlayWalk WalkAlong(const TPlayScript& script, const TPlayWay& way) {
    TPlayWalk walk(way.Start);
    for (const TPlayStep& step : way.Steps) {
        [[maybe_unused]] const TChooseOutcome outcome = walk.Choose(script, step.Choice);
        assert(outcome == TChooseOutcome::Moved && "a way takes only choices that lead to nodes");
    }
    return walk;
}

} // namespace dialoscope
