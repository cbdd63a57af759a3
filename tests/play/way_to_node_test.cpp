#include "play_support.h"

#include "play/way_to_node.h"

#include <gtest/gtest.h>

namespace dialoscope::test {
namespace {

// "Node1 -2-> Node3 -1-> Node5": the start, then each choice (1-based) and where it leads.
std::string Described(const TPlayScript& script, const std::optional<TPlayWay>& way) {
    if (!way) {
        return "not reachable";
    }
    std::string text = script.NodeName(way->Start);
    for (const TPlayStep& step : way->Steps) {
        text += " -" + std::to_string(step.Choice + 1) + "-> " + script.NodeName(step.To);
    }
    return text;
}

// Node1 and Node7 are dialog starts; Node6 hangs off nothing; Node4 leads to Node5 the long way,
// Node3 calls it on the short one.
const std::vector<TNodeText> WayNodes = {
    {"Node1",
     "  Answer(1, 100, @Node2);\n  Answer(1, 101, @Node3);\n  Answer(1, 102, @Nowhere);\n"},
    {"Node2", "  Answer(1, 103, @Node4);\n  Answer(1, 104, @Node1);\n"},
    {"Node3", "  Answer(1, 105, @Node4);\n  Node5;\n"},
    {"Node4", "  Answer(1, 106, @Node5);\n"},
    {"Node5", "  CloseDialog;\n"},
    {"Node6", "  Answer(1, 107, @Node5);\n"},
    {"Node7", "  Answer(1, 108, @Node7);\n  Answer(1, 109, @Node4);\n"},
};

TEST(WayToNode, ShortestFromAnyStartOrNone) {
    TTempFolder folder;
    const TPlayed played = PlayScript(folder, DialogScript(WayNodes, {"Node1", "Node7"}), "");
    const TPlayScript& script = *played.Script;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Node1", "Node1"},
        {"Node7", "Node7"},
        {"Node2", "Node1 -1-> Node2"},
        {"Node5", "Node1 -2-> Node3 -2-> Node5"}, // the call is the shorter way
        {"Node4", "Node7 -2-> Node4"},            // from the other start
        {"Node6", "not reachable"},
        {"TalkStart", "not reachable"},
    };
    for (const auto& [target, expected] : cases) {
        SCOPED_TRACE(target);
        const std::optional<TPlayWay> way = FindWayTo(script, NodeOf(script, target));
        EXPECT_EQ(Described(script, way), expected);
        if (way) {
            EXPECT_EQ(WalkAlong(script, *way).Position(), NodeOf(script, target));
        }
    }
    EXPECT_FALSE(FindWayTo(script, -1));
    EXPECT_FALSE(FindWayTo(script, script.NodeCount()));
}

TEST(WayToNode, NothingIsReachableWithoutADialogStart) {
    TTempFolder folder;
    const TPlayed played = PlayScript(folder, DialogScript(WayNodes, {}), "");
    EXPECT_TRUE(played.Script->Starts().empty());
    EXPECT_FALSE(FindWayTo(*played.Script, NodeOf(*played.Script, "Node1")));
}

} // namespace
} // namespace dialoscope::test
