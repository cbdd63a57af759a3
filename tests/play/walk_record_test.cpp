#include "play_support.h"

#include "play/walk_record.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace dialoscope::test {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// The guard example, edited, in a folder of its own.
TPlayed PlayEditedGuard(const TTempFolder& folder, const std::string& from, const std::string& to) {
    const std::string examples = std::string(DIALOSCOPE_SOURCE_DIR) + "/examples/";
    const std::string script =
        folder.Write("guard.ipp", Replaced(ReadFile(examples + "guard.ipp"), from, to));
    folder.Write("guard.msg", ReadFile(examples + "guard.msg"));
    TPlayed played;
    played.Loaded = LoadScriptFile(script, folder.Write("scripts.lst", "guard.int 5\n"));
    played.Script = std::make_unique<TPlayScript>(played.Loaded->Ws, TPlaySources{script, {}, {}});
    return played;
}

const std::string GuardRecord =
    "# a dialog walk: the start, then one step a line: answer|call NODE "
    "-> TARGET\n"
    "start Greeting\n"
    "answer Greeting -> AskTown\n"
    "answer AskTown -> AskSmith\n"
    "answer AskSmith -> Greeting\n"
    "answer Greeting -> PayToll\n"
    "call PayToll -> NoMoney\n";

TEST(WalkRecord, NamesEachStepByNodeAndTarget) {
    const TPlayed guard = PlayGuard();
    const TPlayScript& script = *guard.Script;
    TPlayWalk walk(NodeOf(script, "Greeting"));
    // A step that leads to no node does not move the walk, so it is not saved.
    for (const std::int32_t choice : {0, 0, 0, 2, 1}) {
        ASSERT_EQ(walk.Choose(script, choice), TChooseOutcome::Moved);
    }
    EXPECT_EQ(WalkRecordText(script, walk), GuardRecord);
    const TReplay replay = ReplayWalk(script, GuardRecord, "walk.txt");
    EXPECT_EQ(replay.Stop, std::nullopt);
    EXPECT_EQ(replay.Walk, walk);
}

TEST(WalkRecord, ReplaysAfterEditsElsewhereAndStopsAtTheFirstLostStep) {
    struct TCase {
        std::string From, To;  // the edit of the script
        std::string Stop;      // empty: replayed whole
        std::string Position;  // where the replayed walk stands
        std::size_t Steps = 0; // how many steps it took
    };
    const std::vector<TCase> cases = {
        {"", "", "", "NoMoney", 5},
        // A new first answer moves every answer of the greeting one place on.
        {"  Answer(4, 102, @AskTown);",
         "  Answer(1, 125, @Farewell);\r\n  Answer(4, 102, @AskTown);", "", "NoMoney", 5},
        {"  Writeln(GetStr(124));\r\n", "", "", "NoMoney", 5},
        {"  Answer(4, 109, @AskSmith);\r\n", "",
         "walk.txt:4: node 'AskTown' has no answer leading to 'AskSmith' any more", "AskTown", 1},
        {"  Answer(1, 112, @Greeting);", "  Answer(1, 112, @Greetings);",
         "walk.txt:5: node 'AskSmith' has no answer leading to 'Greeting' any more", "AskSmith", 2},
        {"function AskSmith;", "function Smithy;",
         "walk.txt:4: the answer at 'AskTown' leads to 'AskSmith', which is no node any more",
         "AskTown", 1},
        // Without its forward declaration the name is no call any more.
        {"function NoMoney;", "function Broke;",
         "walk.txt:7: node 'PayToll' has no call leading to 'NoMoney' any more", "PayToll", 4},
        {"function Greeting;", "function Hello;",
         "walk.txt:2: the walk starts at 'Greeting', which is no node any more", "", 0},
    };
    for (const TCase& row : cases) {
        SCOPED_TRACE(row.From + " -> " + row.To);
        TTempFolder folder;
        const TPlayed played =
            PlayEditedGuard(folder, row.From.empty() ? "\x01" : row.From, row.To);
        const TReplay replay = ReplayWalk(*played.Script, GuardRecord, "walk.txt");
        EXPECT_EQ(replay.Stop.value_or(""), row.Stop);
        EXPECT_EQ(replay.Walk.Steps().size(), row.Steps);
        EXPECT_EQ(replay.Walk.IsStarted() ? played.Script->NodeName(replay.Walk.Position()) : "",
                  row.Position);
    }
}

TEST(WalkRecord, ALineThatIsNoStepIsAnError) {
    const TPlayed guard = PlayGuard();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"start Greeting\nanswer Greeting AskTown\n",
         "walk.txt:2: not a step of a saved walk: answer Greeting AskTown"},
        {"answer Greeting -> AskTown\n",
         "walk.txt:1: not a step of a saved walk: answer Greeting -> AskTown"},
        {"start Greeting\r\nstart Greeting\r\n",
         "walk.txt:2: not a step of a saved walk: start Greeting"},
        {"walk\n", "walk.txt:1: not a step of a saved walk: walk"},
    };
    for (const auto& [text, error] : cases) {
        SCOPED_TRACE(text);
        try {
            ReplayWalk(*guard.Script, text, "walk.txt");
            ADD_FAILURE() << "no error";
        } catch (const EWalkRecordError& e) {
            EXPECT_EQ(std::string(e.what()), error);
        }
    }
    EXPECT_EQ(ReplayWalk(*guard.Script, "# nothing\n\n", "walk.txt").Stop,
              "walk.txt: the saved walk has no start");
}

} // namespace
} // namespace dialoscope::test
