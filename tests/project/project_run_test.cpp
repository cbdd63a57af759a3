#include "project/project_run.h"
#include "project/stats_format.h"

#include "checks/run_checks.h"
#include "loaded_script.h"
#include "temp_folder.h"
#include "workload.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

namespace dialoscope {
namespace {

using test::TTempFolder;

std::string Node(const std::string& name, const std::string& body) {
    return "function " + name + ";\r\nbegin\r\n" + body + "end;\r\n\r\n";
}

std::string Script(const std::string& nodes) {
    return "script S('s.msg');\r\n\r\n" + nodes + "end.\r\n";
}

std::string Lines(const std::vector<TFinding>& findings) {
    std::string text;
    for (const TFinding& finding : findings) {
        text += finding.File + ":" + std::to_string(finding.Line) + ": " +
                std::string(KindWord(finding.Kind)) + ": " + finding.Text + "\n";
    }
    return text;
}

// Everything a run gives, as the commands write it: each script's findings and the table.
std::string Everything(const TProject& project, const TProjectResult& result, bool original) {
    std::string text;
    std::vector<TScriptStats> rows;
    for (const TScriptResult& script : result.Scripts) {
        text += Lines(script.Findings);
        rows.push_back(script.Stats);
    }
    const TStatsTable table =
        MakeStatsTable(rows, result.Total, original, TTextCodePage("windows-1252"));
    for (const TStatsFormat format :
         {TStatsFormat::Text, TStatsFormat::Json, TStatsFormat::Csv, TStatsFormat::Markdown}) {
        text += FormatStats(table, format);
    }
    return text + project.ListPath;
}

// One script that fails to load or analyse gives its error and status; the others are analysed.
TEST(ProjectRun, FailingScriptAmongGoodOnes) {
    TTempFolder folder;
    const std::string good = Script(Node("Hello", "  Say(Self, 1, 100);\r\n"));
    folder.Write("a.ipp", good);
    folder.Write("a.msg", "{100}{}{One two three.}\r\n");
    folder.Write("b.ipp", good);
    folder.Write("b.msg", "{one}{}{A bad number stops Analyze.}\r\n");
    folder.Write("c.ipp", good);
    folder.Write("c.msg", "{100}{}{Four five.}\r\n");
    folder.Write("d.ipp", good); // and no d.msg
    const TProject project =
        OpenProject(folder.Write("scripts.lst", "a.int 1\r\nb.int 2\r\nc.int 3\r\nd.int 4\r\n"));
    for (const std::uint32_t jobs : {1u, 2u}) {
        SCOPED_TRACE(jobs);
        TProjectOptions options;
        options.Jobs = jobs;
        const TProjectResult result = RunProject(project, options);
        ASSERT_EQ(result.Scripts.size(), 4u);
        const std::vector<std::pair<std::string, std::int64_t>> expected = {
            {"ok", 3},
            {"Analyze stopped: 'one' is not a valid integer value", 0},
            {"ok", 2},
            {"Cannot open file " + folder.Path("d.msg"), 0}};
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(result.Scripts[i].Stats.Status, expected[i].first);
            EXPECT_EQ(result.Scripts[i].Stats.NpcText.Words, expected[i].second);
        }
        EXPECT_EQ(result.Scripts[1].Findings.front().Kind, TFindingKind::AnalyzeError);
        EXPECT_EQ(result.Scripts[3].Findings.front().Kind, TFindingKind::LoadError);
        EXPECT_EQ(result.Total.NpcText.Words, 5);
        EXPECT_EQ(result.Total.Errors, 3); // analyze-error, bad-message-line, load-error
    }
}

// Was: originals that are not there gave 100 % and hid the scripts' own findings.
TEST(ProjectRun, OnlyComparedEntriesCountTowardsTheShare) {
    TTempFolder folder;
    const std::string script = Script(Node("Hello", "  Say(Self, 1, 100);\r\n"));
    folder.Write("a.ipp", script);
    folder.Write("a.msg", "{100}{}{Eins.}\r\n");
    folder.Write("b.ipp", script);
    folder.Write("b.msg", "{100}{}{Zwei.}\r\n{100}{}{Zwei!}\r\n"); // its own error
    const TProject project = OpenProject(folder.Write("scripts.lst", "a.int 1\r\nb.int 2\r\n"));
    const struct {
        const char* Originals; // the files in the originals' folder: "a" holds a.msg, ...
        const char* Empty;     // "y": the originals hold no message
        std::vector<std::string> Statuses; // a, b, total
        std::vector<std::string> Shares;   // a, b, total
    } cases[] = {
        {"a", "", {"ok", "no original", "1 without original"}, {"100.0", "", "100.0"}},
        {"", "", {"no original", "no original", "2 without original"}, {"", "", "n/a"}},
        {"ab", "y", {"ok", "ok", ""}, {"n/a", "n/a", "n/a"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Originals) + c.Empty);
        TTempFolder originals;
        for (const char* name = c.Originals; *name != '\0'; ++name) {
            originals.Write(std::string(1, *name) + ".msg", *c.Empty ? "" : "{100}{}{One.}\r\n");
        }
        TProjectOptions options;
        options.Against = originals.Folder();
        const TProjectResult result = RunProject(project, options);
        std::vector<TScriptStats> rows;
        for (const TScriptResult& row : result.Scripts) {
            rows.push_back(row.Stats);
        }
        const TStatsTable table =
            MakeStatsTable(rows, result.Total, true, TTextCodePage("windows-1252"));
        for (std::size_t r = 0; r < 3; ++r) {
            EXPECT_EQ(table.Rows[r][3], c.Statuses[r]) << r;
            EXPECT_EQ(table.Rows[r].back(), c.Shares[r]) << r;
        }
        const std::vector<TFinding>& b = result.Scripts[1].Findings;
        EXPECT_EQ(std::count_if(
                      b.begin(), b.end(),
                      [](const TFinding& f) { return f.Kind == TFindingKind::MissingOriginal; }),
                  c.Originals[0] == 'a' && c.Originals[1] == 'b' ? 0 : 1);
        EXPECT_TRUE(std::any_of(b.begin(), b.end(), [](const TFinding& f) {
            return f.Kind == TFindingKind::DuplicateMessage;
        }));
    }
}

// A project reads only files in its folder: a header naming a message file elsewhere is
// reported, and the message file beside the script is the one read.
TEST(ProjectRun, HeaderNamingAMessageFileOutsideTheFolder) {
    const struct {
        const char* Header;
        bool Reported;
    } rows[] = {{"'s.msg'", false}, {"'../s.msg'", true}, {"'msg\\s.msg'", true}, {"'..'", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Header);
        TTempFolder folder;
        folder.Write("s.ipp", "script S(" + std::string(row.Header) + ");\r\n\r\n" +
                                  Node("Hello", "  Say(Self, 1, 100);\r\n") + "end.\r\n");
        folder.Write("s.msg", "{100}{}{Hello.}\r\n");
        const TProjectResult result =
            RunProject(OpenProject(folder.Write("scripts.lst", "s.int 1\r\n")), TProjectOptions{});
        const std::vector<TFinding>& findings = result.Scripts.at(0).Findings;
        const bool reported = !findings.empty() && findings[0].Kind == TFindingKind::BadScriptName;
        EXPECT_EQ(reported, row.Reported);
        EXPECT_EQ(result.Scripts[0].Stats.NpcText.Words, 1);
    }
}

// The words and characters of a text depend on the code page it is read in; "auto" takes a
// message file that is valid UTF-8 as UTF-8.
TEST(ProjectRun, CodePageOfTheWordCounts) {
    const struct {
        const char* CodePage;
        std::int64_t Words;
        std::int64_t Characters;
    } rows[] = {{"auto", 2, 12}, {"UTF-8", 2, 12}, {"windows-1252", 3, 14}}; // "GrÃ¼ÃŸe": ¼ breaks
    TTempFolder folder;
    folder.Write("s.ipp", Script(Node("Hello", "  Say(Self, 1, 100);\r\n")));
    folder.Write("s.msg", "{100}{}{Gr\xC3\xBC\xC3\x9F"
                          "e, Welt!}\r\n"); // "Grüße, Welt!"
    const TProject project = OpenProject(folder.Write("scripts.lst", "s.int 1\r\n"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.CodePage);
        TProjectOptions options;
        options.CodePage = row.CodePage;
        const TScriptStats stats = RunProject(project, options).Scripts.at(0).Stats;
        EXPECT_EQ(stats.NpcText.Words, row.Words);
        EXPECT_EQ(stats.NpcText.Characters, row.Characters);
    }
}

// Was: nothing. The output is in list order and byte for byte the same whatever the number of
// workers; every row is reported once as it finishes.
TEST(ProjectRun, OneOrTwoJobsGiveTheSameBytes) {
    const std::string folder = test::GeneratedWorkload("--scripts 6 --nodes 40");
    const TProject project = OpenProject(folder + "/scripts.lst");
    ASSERT_EQ(project.Scripts.size(), 6u);
    std::string outputs[2];
    for (const std::uint32_t jobs : {1u, 2u}) {
        TProjectOptions options;
        options.Jobs = jobs;
        options.Against = folder; // its own message files: nothing translated
        std::mutex mutex;
        std::vector<std::size_t> finished;
        const TProjectResult result =
            RunProject(project, options, [&](std::size_t row, const TScriptResult&) {
                const std::lock_guard<std::mutex> lock(mutex);
                finished.push_back(row);
            });
        std::sort(finished.begin(), finished.end());
        EXPECT_EQ(finished, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5}));
        EXPECT_EQ(result.Total.Translation->Untranslated + result.Total.Translation->Translated,
                  result.Total.Translation->Untranslated);
        outputs[jobs - 1] = Everything(project, result, true);
    }
    EXPECT_EQ(outputs[0], outputs[1]);
}

// The other scripts' message numbers are read once per run and shared; the findings are what
// each script's own check run, reading the files it needs itself, gives.
TEST(ProjectRun, SharedMessageNumbersGiveWhatEachScriptsOwnReadsGive) {
    const std::string folder = test::GeneratedWorkload("--scripts 6 --nodes 40");
    const TProject project = OpenProject(folder + "/scripts.lst");
    const TProjectResult result = RunProject(project, TProjectOptions{});
    std::size_t references = 0;
    for (std::size_t i = 0; i < project.Scripts.size(); ++i) {
        const auto loaded = test::LoadScriptFile(project.Scripts[i].ScriptPath, project.ListPath);
        TCheckOptions options;
        options.ScriptPath = loaded->ScriptPath;
        const std::vector<TFinding> own = RunChecks(loaded->Ws, options);
        ASSERT_EQ(Lines(result.Scripts[i].Findings), Lines(own));
        references +=
            static_cast<std::size_t>(std::count_if(own.begin(), own.end(), [](const TFinding& f) {
                return f.Kind == TFindingKind::BadScriptRef;
            }));
    }
    EXPECT_GT(references, 0u); // the workload refers to other scripts
}

TEST(ProjectRun, CancelledBeforeTheFirstScript) {
    const std::string folder = test::GeneratedWorkload("--scripts 6 --nodes 40");
    const std::atomic<bool> cancel{true};
    const TProjectResult result =
        RunProject(OpenProject(folder + "/scripts.lst"), TProjectOptions{}, {}, &cancel);
    EXPECT_TRUE(result.Cancelled);
    for (const TScriptResult& script : result.Scripts) {
        EXPECT_EQ(script.Stats.Status, "cancelled");
        EXPECT_TRUE(script.Findings.empty());
    }
}

} // namespace
} // namespace dialoscope
