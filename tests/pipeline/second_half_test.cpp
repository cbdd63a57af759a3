// Analyze on two cores against Analyze on one: on scripts big enough for the second core to take
// the second half, every pane line, message, counter and node record must come out the same,
// also when a section sits in either half, when messages come from both, and when statements cut
// off at a node's end move the walk past the node where the second core started.

#include "analysis_texts.h"

#include "pipeline/script_pipeline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace dialoscope::test {
namespace {

// The one-core walk, General View and all.
constexpr TAnalyzeRequest OneCore{.Cores = 1};
// The General View's items must come in order, so a walk that makes them is never split.
constexpr TAnalyzeRequest TwoCores{.GeneralView = false};

// The scripts the tables run on: the generated size the measured plan splits, and a few nodes
// that only a forced plan splits. Taken, the second core's share is at least 1/TakenShare.
struct TScriptSize {
    int Nodes;
    TSplitPlan Plan;
    std::int32_t TakenShare;
};
constexpr TScriptSize Sizes[] = {{4000, MeasuredPlan, 8}, {40, ForcedPlan, 16}};

std::string NodeName(int n) {
    return "Node" + std::to_string(n);
}

// A statement for a node body: said lines, answers, calls, references into other scripts, bad
// references that bring messages, and (when cutOff) a caption cut off by the node's end.
std::string Statement(std::mt19937& random, int nodes, bool cutOff) {
    const int n = 100 + static_cast<int>(random() % 900);
    const std::string target = NodeName(1 + static_cast<int>(random() % nodes));
    const std::string number = std::to_string(n);
    const std::string next = std::to_string(n + 1);
    if (cutOff) {
        return "  Answer(7, GetStr(" + number + ") + GetStr(" + next + ")";
    }
    switch (random() % 12) {
    case 0:
        return "  Say(Self, 2, " + number + ");";
    case 1:
        return "  Say(Player, 3, Rnd(" + number + "," + next + "));";
    case 2:
        return "  Write(GetStr(" + number + ") + GetStr(" + next + "));";
    case 3:
        return "  SayWOAnswer(2, GetStr(" + number + ") + x + GetStr(" + next + "), 50);";
    case 4:
        return "  SayForAnswer(" + number + ");";
    case 5:
        return "  Answer(-1, GetStr(" + number + ") + GetStr(" + next + "), @" + target + ");";
    case 6:
        return "  Answer(4, 7," + number + ", @" + target + ");";
    case 7:
        return "  Answer(4, q," + number + ", @" + target + ");"; // "q,..." is no script number
    case 8:
        return "  Say(Self, 2, Rnd(abc," + number + "));"; // a range that is no range
    case 9:
        return "  if a <> b then " + target + " else " + NodeName(1) + ";";
    default:
        return "  Answer(5, " + number + ", @" + target + ");";
    }
}

// Whether the first core takes the second core's walk: on a plain script it must (a change that
// always dropped it would still make what one core makes); after a forward section that the
// second core did not start with, or where cut-off captions move the first core's walk past the
// node where the second core started, it must not; elsewhere it depends on where the walk goes.
enum class TSecondWalk : std::uint8_t { Taken, Dropped, Either };

struct TScriptShape {
    const char* What;
    TSecondWalk Second = TSecondWalk::Taken;
    int ForwardAgainAt = -1; // before this node, another forward section
    int VarAt = -1;          // before this node and after that section, a Var section
    // Every so many nodes from CutOffFrom to CutOffTo end in a caption cut off by the node's end.
    int CutOffEvery = 0;
    int CutOffFrom = 0;
    int CutOffTo = 0;
};

std::string Script(const TScriptShape& shape, unsigned seed, int nodes) {
    std::mt19937 random(seed);
    std::string script = "script Talk('talk.msg');\r\nuses Globals;\r\nVar a, b;\r\n";
    const auto forwardSection = [&](int declared) {
        for (int n = 1; n <= declared; ++n) {
            script += "function " + NodeName(n) + "; forward;\r\n";
        }
    };
    forwardSection(nodes);
    for (int n = 1; n <= nodes; ++n) {
        if (n == shape.ForwardAgainAt) {
            forwardSection(nodes / 2); // calls to the other half are calls no more
        }
        if (n == shape.VarAt) {
            script += "Var c, d;\r\n";
        }
        script += "\r\nfunction " + NodeName(n) + ";\r\nbegin\r\n";
        const int statements = 1 + static_cast<int>(random() % 5);
        for (int s = 0; s < statements; ++s) {
            script += Statement(random, nodes, false) + "\r\n";
        }
        const bool cutOff = n >= shape.CutOffFrom && n <= shape.CutOffTo;
        if (cutOff && n % shape.CutOffEvery == 0) {
            script += Statement(random, nodes, true) + "\r\n";
            continue; // no "end;": the next "function" follows the cut-off caption
        }
        script += "end;\r\n";
    }
    return script + "\r\nbegin\r\nend.\r\n";
}

struct TRun {
    TRecordingPort Port;
    TWorkspace Ws{Port};
    TRun(const std::string& script, const TAnalyzeRequest& request, const TSplitPlan& plan) {
        LoadTexts(Ws, script, "{100}{}{Hello}\r\n", "talk.int\r\n");
        AnalyzeScript(Ws, request, plan);
    }
};

// Line by line, so that a difference shows where it starts rather than two whole listings.
void ExpectSameLines(const std::vector<std::string>& two, const std::vector<std::string>& one) {
    const std::size_t shorter = std::min(two.size(), one.size());
    for (std::size_t i = 0; i < shorter; ++i) {
        ASSERT_EQ(two[i], one[i]) << "line " << i;
    }
    EXPECT_EQ(two.size(), one.size());
}

void ExpectSameRecords(const TWorkspace& two, const TWorkspace& one) {
    ASSERT_EQ(two.Nodes.size(), one.Nodes.size());
    for (std::size_t n = 0; n < one.Nodes.size(); ++n) {
        const TNodeKeep& a = two.Nodes[n];
        const TNodeKeep& b = one.Nodes[n];
        SCOPED_TRACE(b.Name);
        ASSERT_EQ(a.Name, b.Name);
        EXPECT_EQ(a.Line, b.Line);
        EXPECT_EQ(a.Body(), b.Body());
        EXPECT_EQ(Strings(a.Lists.Lines()), Strings(b.Lists.Lines()));
        ASSERT_EQ(a.JumpCount(), b.JumpCount());
        for (std::int32_t j = 0; j < a.JumpCount(); ++j) {
            EXPECT_EQ(a.Lists.Jump(j), b.Lists.Jump(j));
            EXPECT_EQ(a.Lists.JumpLine(j), b.Lists.JumpLine(j));
        }
        ASSERT_EQ(a.AnswerCount(), b.AnswerCount());
        for (std::int32_t j = 0; j < a.AnswerCount(); ++j) {
            EXPECT_EQ(a.Lists.Answer(j).Caption, b.Lists.Answer(j).Caption);
            EXPECT_EQ(a.Lists.Answer(j).Target, b.Lists.Answer(j).Target);
            EXPECT_EQ(a.Lists.Answer(j).Line, b.Lists.Answer(j).Line);
        }
        ASSERT_EQ(a.Lists.MsgUseCount(), b.Lists.MsgUseCount());
        for (std::int32_t j = 0; j < a.Lists.MsgUseCount(); ++j) {
            EXPECT_EQ(a.Lists.MsgUse(j).Ref, b.Lists.MsgUse(j).Ref);
            EXPECT_EQ(a.Lists.MsgUse(j).Line, b.Lists.MsgUse(j).Line);
        }
        EXPECT_EQ(MarkList(a), MarkList(b));
    }
}

TEST(SecondHalf, TwoCoresMakeWhatOneCoreMakes) {
    for (const TScriptSize& size : Sizes) {
        const int Nodes = size.Nodes;
        const int middle = Nodes / 2;
        const TScriptShape shapes[] = {
            {"plain"},
            {"forward section again in the first half", TSecondWalk::Dropped, Nodes / 4},
            {"forward section again in the second half", TSecondWalk::Taken, 3 * Nodes / 4},
            {"forward and Var sections just past the middle", TSecondWalk::Either, middle + 1,
             middle + 1},
            {"a third of the nodes cut off", TSecondWalk::Either, -1, -1, 3, 1, Nodes},
            {"the nodes of the middle half cut off", TSecondWalk::Dropped, -1, -1, 1, Nodes / 4,
             3 * Nodes / 4},
            {"every node cut off", TSecondWalk::Dropped, -1, -1, 1, 1, Nodes},
        };
        for (const TScriptShape& shape : shapes) {
            for (const unsigned seed : {1U, 2U, 3U}) {
                SCOPED_TRACE(std::string(shape.What) + ", seed " + std::to_string(seed) + ", " +
                             std::to_string(Nodes) + " nodes");
                const std::string script = Script(shape, seed, Nodes);
                const TRun two(script, TwoCores, size.Plan);
                const TRun one(script, OneCore, size.Plan);
                ASSERT_GE(one.Ws.Scanner.TokenCount(), size.Plan.WalkTwoCoresFromTokens);
                ExpectSameLines(two.Port.Output, one.Port.Output);
                ExpectSameLines(two.Port.Messages, one.Port.Messages);
                EXPECT_FALSE(one.Port.Messages.empty());
                EXPECT_EQ(two.Ws.Counters, one.Ws.Counters);
                EXPECT_EQ(two.Ws.ForwardCount, one.Ws.ForwardCount);
                EXPECT_EQ(two.Ws.Funcs, one.Ws.Funcs);
                EXPECT_EQ(two.Ws.Vars, one.Ws.Vars);
                ExpectSameRecords(two.Ws, one.Ws);
                EXPECT_EQ(one.Ws.SecondCoreTokens, 0);
                if (shape.Second == TSecondWalk::Taken) {
                    // From the middle to the end, or to a section at three quarters.
                    EXPECT_GT(two.Ws.SecondCoreTokens,
                              one.Ws.Scanner.TokenCount() / size.TakenShare);
                }
                if (shape.Second == TSecondWalk::Dropped) {
                    EXPECT_EQ(two.Ws.SecondCoreTokens, 0);
                }
            }
        }
    }
}

// The listing and the counters read nothing the nodes collect: a walk that collects nothing must
// show the same pane lines, messages and counters, on two cores as on one.
void ExpectShowsWhatCollectingShows(const std::string& script, const TAnalyzeRequest& bareRequest,
                                    const TSplitPlan& plan) {
    const TRun full(script, OneCore, plan);
    const TRun bare(script, bareRequest, plan);
    ExpectSameLines(bare.Port.Output, full.Port.Output);
    ExpectSameLines(bare.Port.Messages, full.Port.Messages);
    EXPECT_FALSE(full.Port.Messages.empty());
    EXPECT_EQ(bare.Ws.Counters, full.Ws.Counters);
    ASSERT_EQ(bare.Ws.NodeCount(), full.Ws.NodeCount());
    for (const TNodeKeep& node : bare.Ws.Nodes) {
        ASSERT_EQ(node.LineCount() + node.AnswerCount() + node.JumpCount(), 0);
        ASSERT_EQ(node.Lists.MsgUseCount(), 0);
    }
}

// A command that reads the lists but no marks: the same lists, no marks, the same messages.
void ExpectSameListsWithoutMarks(const std::string& script, const TSplitPlan& plan) {
    const TRun full(script, OneCore, plan);
    const TRun lists(script, {.GeneralView = false, .MsgMarks = false}, plan);
    ExpectSameLines(lists.Port.Messages, full.Port.Messages);
    ASSERT_EQ(lists.Ws.NodeCount(), full.Ws.NodeCount());
    for (std::size_t i = 0; i < full.Ws.Nodes.size(); ++i) {
        const TNodeKeep& a = lists.Ws.Nodes[i];
        const TNodeKeep& b = full.Ws.Nodes[i];
        ASSERT_EQ(test::Strings(a.Lists.Lines()), test::Strings(b.Lists.Lines()));
        ASSERT_EQ(test::Strings(a.Lists.Jumps()), test::Strings(b.Lists.Jumps()));
        ASSERT_EQ(a.Lists.MsgUseCount(), b.Lists.MsgUseCount());
        ASSERT_EQ(a.MsgUsed.Count(), 0);
    }
}

TEST(SecondHalf, CollectingNothingShowsWhatCollectingShows) {
    for (const TScriptSize& size : Sizes) {
        const int Nodes = size.Nodes;
        const TScriptShape shapes[] = {
            {"plain"},
            {"a third of the nodes cut off", TSecondWalk::Either, -1, -1, 3, 1, Nodes},
        };
        for (const TScriptShape& shape : shapes) {
            SCOPED_TRACE(std::string(shape.What) + ", " + std::to_string(Nodes) + " nodes");
            const std::string script = Script(shape, 1, Nodes);
            ExpectShowsWhatCollectingShows(script, {.NodeLists = false, .Cores = 1}, size.Plan);
            ExpectShowsWhatCollectingShows(script, {.GeneralView = false, .NodeLists = false},
                                           size.Plan);
            ExpectSameListsWithoutMarks(script, size.Plan);
        }
    }
}

} // namespace
} // namespace dialoscope::test
