#include "play_support.h"

#include "play/play_walk.h"
#include "play/transcript.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace dialoscope::test {
namespace {

using ::testing::HasSubstr;

// The guard's transcript along choices given by 1-based number, as the user gives them.
std::string WalkGuard(const std::vector<std::int32_t>& choices) {
    const TPlayed guard = PlayGuard();
    const TPlayScript& script = *guard.Script;
    TPlayWalk walk(script.Starts().at(0).Node);
    for (const std::int32_t choice : choices) {
        EXPECT_NE(walk.Choose(script, choice - 1), TChooseOutcome::NotOffered);
    }
    return TranscriptText(script, walk, {true});
}

const std::string GuardGreeting = "Greeting (line 18)\n"
                                  "  Self: 100 Halt! State your business at the north gate of "
                                  "Millbrook.\n"
                                  "  asks: 101 Well? I haven't got all day.\n"
                                  "  1. 102 Tell me about the town. -> AskTown\n"
                                  "  2. 103 Is there a smith in town? -> AskSmith\n"
                                  "  3. 104 I'd like to pass through the gate. -> PayToll\n"
                                  "  4. 105 Never mind. Farewell. -> Farewell\n";

const std::string GuardFarewell = "Farewell (line 63)\n"
                                  "  Self: 123 Safe roads, traveller.\n"
                                  "  writes: 124 The guard turns back to the road.\n"
                                  "  the dialog ends here\n";

TEST(Play, GuardAlongTwoPaths) {
    const std::string note = std::string(ConditionsNote) + "\n\n";
    // Through the town talk and the smith back to the greeting, then away. Smith's message lives
    // in smith.msg, which the examples do not have.
    EXPECT_EQ(WalkGuard({1, 1, 1, 4}),
              note + GuardGreeting + "> 1. 102 Tell me about the town. -> AskTown\n\n" +
                  "AskTown (line 28)\n"
                  "  Self: 106 Millbrook? Best mill on the river, and the worst ale.\n"
                  "  writes: 107 The market opens at dawn.\n"
                  "  writes: 108 Keep your purse close there.\n"
                  "  1. 109 And the smith? -> AskSmith\n"
                  "  2. 110 Let me ask something else. -> Greeting\n"
                  "> 1. 109 And the smith? -> AskSmith\n\n"
                  "AskSmith (line 37)\n"
                  "  Self: 3:205 missing (no message file smith.msg)\n"
                  "  says: 111 Mind her temper, she bites harder than her anvil.\n"
                  "  1. 112 Thanks for the warning. -> Greeting\n"
                  "> 1. 112 Thanks for the warning. -> Greeting\n\n" +
                  GuardGreeting + "> 4. 105 Never mind. Farewell. -> Farewell\n\n" + GuardFarewell);
    // To the toll, through the call the code makes when the purse is light, then away.
    EXPECT_EQ(WalkGuard({3, 2, 2}),
              note + GuardGreeting + "> 3. 104 I'd like to pass through the gate. -> PayToll\n\n" +
                  "PayToll (line 46)\n"
                  "  Player: 113 Here is the toll.\n"
                  "  says: 114 Ten coins, as always.\n"
                  "  says: 115 Welcome to Millbrook.\n"
                  "  1. 116 Good day to you. -> Farewell\n"
                  "  2. goes on to NoMoney (called in the code, line 49)\n"
                  "> 2. goes on to NoMoney (called in the code, line 49)\n\n"
                  "NoMoney (line 55)\n"
                  "  Self: one of 117-119:\n"
                  "    117 No coin, no gate.\n"
                  "    118 Come back when your purse is heavier.\n"
                  "    119 The gate stays shut for beggars.\n"
                  "  1. 120 Please, I only need + 121 to see my sister. -> Greeting\n"
                  "  2. 122 Then I'll be going. -> Farewell\n"
                  "> 2. 122 Then I'll be going. -> Farewell\n\n" +
                  GuardFarewell);
}

struct TViewCase {
    std::string Body;     // Node1's statements
    std::string Expected; // Node1's view without texts, after its name line
};

// Node1 of a script with Node2, its view without texts; the message file holds 100..109 but 103.
void ExpectViews(const std::vector<TViewCase>& cases, const std::string& scriptsLst,
                 const std::function<void(const TTempFolder&)>& addFiles = {}) {
    for (const TViewCase& row : cases) {
        SCOPED_TRACE(row.Body);
        TTempFolder folder;
        if (addFiles) {
            addFiles(folder);
        }
        std::string messages;
        for (const std::string n :
             {"100", "101", "102", "104", "105", "106", "107", "108", "109"}) {
            messages += "{" + n + "}{}{text " + n + "}\n";
        }
        const TPlayed played =
            PlayScript(folder, DialogScript({{"Node1", row.Body}, {"Node2", "  CloseDialog;\n"}}),
                       messages, scriptsLst);
        const std::string view = NodeViewText(played.Script->View(0), {false});
        EXPECT_EQ(view.substr(view.find('\n') + 1), row.Expected);
    }
}

TEST(Play, LinesInStatementOrder) {
    ExpectViews(
        {
            // Not grouped by kind: the analysis reads each kind in a pass of its own.
            {"  SayForAnswer(101);\n  Say(Self, 1, 102);\n  Write(GetStr(104));\n"
             "  SayWOAnswer(105, 50);\n  Say(Player, 1, 106);\n  Answer(1, 107, @Node2);\n",
             "  asks: 101\n  Self: 102\n  writes: 104\n  says: 105\n  Player: 106\n"
             "  1. 107 -> Node2\n"},
            {"  Say(Self, 1, 102); SayForAnswer(101);\n  Say(GetObjectID(5), 1, 100);\n",
             "  Self: 102\n  asks: 101\n  GetObjectID(5): 100\n  no answer and no call: the dialog "
             "stops "
             "here\n"},
            // A concatenation's parts in turn; a missing message says so.
            {"  Write(GetStr(101) + GetStr(103));\n",
             "  writes: 101\n  writes: 103 missing\n  no answer and no call: the dialog stops "
             "here\n"},
            {"  Say(Self, 1, a);\n  Answer(1, b, @Node2);\n",
             "  Self: (not a message number) a\n  1. (not a message number) b -> Node2\n"},
        },
        "talk.int 1\n");
}

TEST(Play, RangeAndOtherScriptMessages) {
    const auto otherFiles = [](const TTempFolder& folder) {
        folder.Write("other.msg", "{205}{}{other text}\n");
    };
    ExpectViews(
        {
            {"  Say(Self, 1, 3, Rnd(101,104));\n",
             "  Self: one of 101-104:\n    101\n    102\n    103 missing\n    104\n"
             "  no answer and no call: the dialog stops here\n"},
            // A wide range lists what the file holds, not every number.
            {"  Say(Self, 1, 3, Rnd(105,2000000000));\n",
             "  Self: one of 105-2000000000:\n    105\n    106\n    107\n    108\n    109\n"
             "  no answer and no call: the dialog stops here\n"},
            {"  Say(Self, 1, 3, Rnd(5,7));\n",
             "  Self: one of 5-7:\n    5 missing\n    6 missing\n    7 missing\n"
             "  no answer and no call: the dialog stops here\n"},
            {"  Say(Self, 1, 2,205);\n  Say(Self, 1, 2,206);\n  Say(Self, 1, 3,205);\n"
             "  Say(Self, 1, 9,205);\n  Say(Self, 1, 1,104);\n",
             "  Self: 2:205\n  Self: 2:206 missing\n  Self: 3:205 missing (no message file "
             "ghost.msg)\n  Self: 9:205 missing (scripts.lst names no script 9)\n  Self: 104\n"
             "  no answer and no call: the dialog stops here\n"},
        },
        "talk.int 1\nother.int 2\nghost.int 3\n", otherFiles);
}

TEST(Play, CallsAndCloseDialog) {
    ExpectViews(
        {
            {"  Answer(1, 101, @Node2);\n  Node2;\n  if a then Node2;\n  CloseDialog;\n",
             "  1. 101 -> Node2\n  2. goes on to Node2 (called in the code, line 13)\n"
             "  3. goes on to Node2 (called in the code, line 14)\n  the dialog ends here\n"},
            {"  Answer(1, 101, @Nowhere);\n  Answer(1, 102, @node2);\n",
             "  1. 101 -> Nowhere (no node)\n  2. 102 -> node2 (no node)\n"},
        },
        "talk.int 1\n");
}

TEST(Play, ChoicesMoveTheWalk) {
    TTempFolder folder;
    const TPlayed played = PlayScript(
        folder,
        DialogScript({{"Node1", "  Answer(1, 100, @Nowhere);\n  Answer(1, 101, @Node1);\n"
                                "  Answer(1, 102, @Node2);\n"},
                      {"Node2", "  CloseDialog;\n"}}),
        "{100}{}{a}\n{101}{}{b}\n{102}{}{c}\n");
    const TPlayScript& script = *played.Script;
    const std::int32_t node1 = NodeOf(script, "Node1"), node2 = NodeOf(script, "Node2");
    TPlayWalk walk(node1);
    struct TStep {
        std::int32_t Choice;
        TChooseOutcome Outcome;
        std::int32_t Position;
        std::size_t Steps;
    };
    const std::vector<TStep> steps = {
        {0, TChooseOutcome::NoNode, node1, 1},     // kept as a step, the walk stays
        {1, TChooseOutcome::Moved, node1, 2},      // a node that leads to itself
        {3, TChooseOutcome::NotOffered, node1, 2}, // nothing changes
        {-1, TChooseOutcome::NotOffered, node1, 2}, {2, TChooseOutcome::Moved, node2, 3},
        {0, TChooseOutcome::NotOffered, node2, 3}, // Node2 offers nothing
    };
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.Choice);
        EXPECT_EQ(walk.Choose(script, step.Choice), step.Outcome);
        EXPECT_EQ(walk.Position(), step.Position);
        EXPECT_EQ(walk.Steps().size(), step.Steps);
    }
    EXPECT_THAT(TranscriptText(script, walk, {}),
                HasSubstr("> 1. 100 -> Nowhere (no node)\n"
                          "  the answer leads to Nowhere, which is no node\n> 2. 101 -> Node1\n"));
    EXPECT_TRUE(walk.Back());
    EXPECT_EQ(walk.Position(), node1);
    walk.Restart();
    EXPECT_EQ(walk, TPlayWalk(node1));
    EXPECT_FALSE(walk.Back());
    EXPECT_EQ(TPlayWalk().Choose(script, 0), TChooseOutcome::NotOffered);
}

} // namespace
} // namespace dialoscope::test
