#include "exchange/voice_script.h"

#include "exchange/detail/exchange_error.h"
#include "project/project_run.h"

#include "workload.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace dialoscope {
namespace {

TExportRequest RequestFor(const std::string& folder, const std::string& script) {
    TExportRequest request;
    request.Scripts = {{folder + "/" + script + ".ipp", script}};
    request.ScriptsLst = folder + "/scripts.lst";
    return request;
}

std::map<std::int32_t, TVoiceLine>
LinesByNumber(const std::string& folder, const std::string& script, const TVoiceOptions& options) {
    std::map<std::int32_t, TVoiceLine> lines;
    for (TVoiceLine& line :
         CollectVoiceScript(RequestFor(folder, script), TTextCodePage("windows-1252"), options)
             .Lines) {
        lines[line.Number] = std::move(line);
    }
    return lines;
}

TEST(VoiceScript, EachLineCarriesItsContext) {
    const std::string source = DIALOSCOPE_SOURCE_DIR;
    TVoiceOptions guard;
    guard.Speakers = {"Self", "Player"};
    TVoiceOptions voiced;
    voiced.Speakers = {"Self", "Player", "GetObjectID(14)", "GetObjectID(23)"};
    const struct {
        std::string Folder;
        std::string Script;
        std::int32_t Number;
        std::string Speaker;
        std::string Audio;
        std::string Previous;
        std::string LedBy;
        std::string Direction;
        std::string Node;
        std::int64_t Words;
    } cases[] = {
        // A dialog's start: nothing led there, though answers lead back to it later.
        {"/examples", "guard", 100, "Self", "guard_100.wav", "", "", "", "Greeting", 10},
        // The comment just above the line is its direction.
        {"/examples", "guard", 106, "Self", "guard_106.wav", "Tell me about the town.",
         "Tell me about the town.", "The guard is proud of his town and says so at length.",
         "AskTown", 10},
        // A concatenation's second part: the line before it is the node's first.
        {"/examples", "guard", 108, "Self", "guard_108.wav",
         "Millbrook? Best mill on the river, and the worst ale.", "Tell me about the town.", "",
         "AskTown", 5},
        // Reached by a call: no answer led there.
        {"/examples", "guard", 117, "Self", "guard_117.wav", "Here is the toll.", "", "", "NoMoney",
         4},
        // The player's own line and answer.
        {"/examples", "guard", 113, "Player", "guard_113.wav", "I'd like to pass through the gate.",
         "I'd like to pass through the gate.", "", "PayToll", 4},
        {"/examples", "guard", 102, "Player", "guard_102.wav", "Well? I haven't got all day.", "",
         "", "Greeting", 5},
        // A filled middle field names the recording; a blank one does not.
        {"/tests/cli/inputs", "voiced", 100, "Self", "grd_halt", "", "", "", "Greet", 4},
        {"/tests/cli/inputs", "voiced", 101, "Player", "voiced_101.wav",
         "Halt! State your business.", "", "", "Greet", 1},
        {"/tests/cli/inputs", "voiced", 103, "GetObjectID(14)", "v103", " Well?", " Well?", "",
         "Ask", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Script + " " + std::to_string(c.Number));
        const auto lines =
            LinesByNumber(source + c.Folder, c.Script, c.Script == "guard" ? guard : voiced);
        ASSERT_TRUE(lines.contains(c.Number));
        const TVoiceLine& line = lines.at(c.Number);
        EXPECT_EQ(line.Id(), c.Script + ":" + std::to_string(c.Number));
        EXPECT_EQ(line.Speaker, c.Speaker);
        EXPECT_EQ(line.Audio, c.Audio);
        EXPECT_EQ(line.PreviousLine, c.Previous);
        EXPECT_EQ(line.LedBy, c.LedBy);
        EXPECT_EQ(line.Direction, c.Direction);
        EXPECT_EQ(line.Node, c.Node);
        EXPECT_EQ(line.Words, c.Words);
        EXPECT_EQ(line.Characters, static_cast<std::int64_t>(line.Text.size()));
    }
}

TEST(VoiceScript, SpeakersChooseTheLines) {
    const std::string examples = std::string(DIALOSCOPE_SOURCE_DIR) + "/examples";
    const struct {
        std::optional<std::vector<std::string>> Speakers;
        std::vector<std::string> Expected; // the speakers recorded, in order
        std::size_t Lines;
        std::string Error;
    } cases[] = {
        // Without a choice the player, who is seldom voiced, is left out.
        {std::nullopt, {"Self"}, 13, ""},
        {std::vector<std::string>{"player"}, {"Player"}, 12, ""},
        {std::vector<std::string>{"Player", "SELF"}, {"Self", "Player"}, 25, ""},
        {std::vector<std::string>{"Self", "Guard"},
         {},
         0,
         "No line is said by the speaker \"Guard\"; the speakers are Self, Player"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Error.empty() ? c.Expected.front() : c.Error);
        TVoiceOptions options;
        options.Speakers = c.Speakers;
        try {
            const TVoiceScript voice = CollectVoiceScript(RequestFor(examples, "guard"),
                                                          TTextCodePage("windows-1252"), options);
            EXPECT_EQ(c.Error, "");
            EXPECT_EQ(voice.Speakers, c.Expected);
            EXPECT_EQ(voice.Lines.size(), c.Lines);
        } catch (const EExchangeError& error) {
            EXPECT_EQ(error.what(), c.Error);
        }
    }
}

TEST(VoiceScript, AudioPatternFillsItsFields) {
    const std::string examples = std::string(DIALOSCOPE_SOURCE_DIR) + "/examples";
    const struct {
        std::string Pattern;
        std::string Expected; // for message 106, or the error
    } cases[] = {
        {"{script}_{number}.wav", "guard_106.wav"},
        {"vo/{node}/{number}.ogg", "vo/AskTown/106.ogg"},
        {"{number}{number}", "106106"},
        {"{speaker}_{number}.wav", "The audio file pattern \"{speaker}_{number}.wav\" holds the "
                                   "unknown field {speaker}; it may hold {script}, {number} and "
                                   "{node}"},
        {"{script}.wav", "The audio file pattern \"{script}.wav\" lacks {number}, so lines would "
                         "share one file; it may hold {script}, {number} and {node}"},
        {"{number", "The audio file pattern \"{number\" has a brace that opens no field; it may "
                    "hold {script}, {number} and {node}"},
        {"a}{number}", "The audio file pattern \"a}{number}\" has a brace that opens no field; it "
                       "may hold {script}, {number} and {node}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Pattern);
        TVoiceOptions options;
        options.AudioPattern = c.Pattern;
        try {
            const auto lines = LinesByNumber(examples, "guard", options);
            EXPECT_EQ(lines.at(106).Audio, c.Expected);
        } catch (const EExchangeError& error) {
            EXPECT_EQ(error.what(), c.Expected);
        }
    }
}

// The budget is the words stats counts by speaker, script by script, on a generated project
// whose messages are used by several nodes and speakers.
TEST(VoiceScript, BudgetEqualsStatsWordsBySpeaker) {
    const std::string folder = test::GeneratedWorkload("--scripts 4 --nodes 60 --seed 7");
    const TProject project = OpenProject(folder + "/scripts.lst");
    TProjectOptions statsOptions;
    statsOptions.CodePage = "windows-1251";
    statsOptions.Jobs = 1;
    statsOptions.KeepFindings = false;
    const TProjectResult stats = RunProject(project, statsOptions);
    TExportRequest request;
    request.ScriptsLst = project.ListPath;
    for (const TProjectScript& script : project.Scripts) {
        request.Scripts.push_back(
            {script.ScriptPath, std::filesystem::path(script.ListName).stem().string()});
    }
    const TTextCodePage codePage("windows-1251");
    TVoiceOptions players;
    players.Speakers = {"Player"};
    std::map<std::string, TScriptStats> voiced; // by script: words as stats keeps them
    for (const TVoiceOptions& options : {TVoiceOptions{}, players}) {
        for (const TVoiceLine& line : CollectVoiceScript(request, codePage, options).Lines) {
            TScriptStats& counts = voiced[line.Script];
            (line.Speaker == "Self"     ? counts.SelfWords
             : line.Speaker == "Player" ? counts.PlayerWords
                                        : counts.OtherWords) += line.Words;
        }
    }
    ASSERT_EQ(stats.Scripts.size(), request.Scripts.size());
    std::int64_t other = 0;
    for (std::size_t i = 0; i < request.Scripts.size(); ++i) {
        SCOPED_TRACE(request.Scripts[i].Script);
        const TScriptStats& expected = stats.Scripts[i].Stats;
        const TScriptStats& actual = voiced[request.Scripts[i].Script];
        ASSERT_TRUE(expected.IsOk());
        EXPECT_GT(expected.SelfWords, 0);
        EXPECT_EQ(actual.SelfWords, expected.SelfWords);
        EXPECT_EQ(actual.PlayerWords, expected.PlayerWords);
        EXPECT_EQ(actual.OtherWords, expected.OtherWords);
        other += expected.OtherWords;
    }
    EXPECT_GT(other, 0); // the generated project has other speakers
}

} // namespace
} // namespace dialoscope
