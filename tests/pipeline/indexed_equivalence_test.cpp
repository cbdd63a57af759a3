// Node bodies and calls found through the indexes of Analyze against the plain way (a search of
// the script's lines from the top for every node, a walk of the forward declarations for every
// identifier), on generated scripts: speed must never change an output byte.

#include "analysis_texts.h"

#include "analysis/analyze.h"
#include "analysis/detail/token_cursor.h"
#include "analysis/load.h"
#include "pipeline/script_pipeline.h"

#include "workload.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace dialoscope {
namespace {

std::filesystem::path GenerateScript(const std::string& options) {
    std::string key;
    for (const char c : options) {
        key += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    }
    const auto folder =
        std::filesystem::temp_directory_path() / ("dialoscope-indexed-equivalence" + key);
    return test::GenerateWorkload(options, folder.string()) ? folder : std::filesystem::path();
}

// Puts comment lines that name a node after "function" before its real first line, some as a
// whole word and some not, and a few stop words, so the first qualifying line and the stop
// lines are not always where the generator puts them.
void AddDecoyLines(const std::filesystem::path& script) {
    std::ifstream in(script, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::vector<std::string> lines;
    std::vector<std::string> names;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        const std::string& line = lines.back();
        if (line.rfind("function ", 0) == 0 && line.find("; forward;") != std::string::npos) {
            names.push_back(line.substr(9, line.find(';') - 9));
        }
        start = end;
    }
    std::string out;
    std::size_t said = 0;
    for (const std::string& line : lines) {
        if (line.rfind("  Say(", 0) == 0 && !names.empty()) {
            ++said;
            const std::string& name = names[(said * 7) % names.size()];
            if (said % 3 == 0) {
                out += "  // function " + name + " comes later\r\n";
            } else if (said % 3 == 1) {
                out += "  // function " + name + "_old, function x" + name + "\r\n";
            } else if (said % 5 == 2) {
                out += "  // the end. function " + name + " forward\r\n";
            }
        }
        out += line;
    }
    std::ofstream(script, std::ios::binary | std::ios::trunc) << out;
}

bool IsWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool HasWholeWord(std::string_view line, std::string_view name) {
    for (std::size_t at = 0; !name.empty() && at + name.size() <= line.size(); ++at) {
        if (line.substr(at, name.size()) != name) {
            continue;
        }
        const std::size_t after = at + name.size();
        if ((at == 0 || !IsWordByte(line[at - 1])) &&
            (after == line.size() || !IsWordByte(line[after]))) {
            return true;
        }
    }
    return false;
}

bool Has(std::string_view line, std::string_view part) {
    return line.find(part) != std::string_view::npos;
}

// The node's text found by reading the script's lines from the top.
std::string PlainBody(const TLineStore& lines, std::string_view name) {
    std::int32_t first = -1;
    for (std::int32_t i = 0; i < lines.Count() && first < 0; ++i) {
        const std::string_view line = lines.Line(i);
        if (Has(line, "function") && !Has(line, "forward") && HasWholeWord(line, name)) {
            first = i;
        }
    }
    if (first < 0) {
        return {};
    }
    std::string body = std::string(lines.Line(first)) + "\r\n";
    for (std::int32_t j = first + 1; j < lines.Count(); ++j) {
        body += std::string(lines.Line(j)) + "\r\n";
        if (j + 2 < lines.Count() &&
            (Has(lines.Line(j + 2), "function") || Has(lines.Line(j + 2), "end."))) {
            break;
        }
    }
    return body;
}

// The calls of every node, each identifier compared with every forward declaration.
std::vector<std::vector<std::string>> PlainJumps(const TWorkspace& ws) {
    const TTokenCursor t(ws.Scanner);
    std::vector<std::vector<std::string>> jumps;
    for (std::int64_t p = 0; p < t.Last(); ++p) {
        const bool opensNode = t.K(p) == TTokenKind::Keyword && t.T(p) == "function" &&
                               (t.T(p + 3) == "begin" || t.T(p + 3) == "Var");
        if (!opensNode) {
            continue;
        }
        auto& calls = jumps.emplace_back();
        for (std::int64_t k = p + 2; !t.AtEnd(k);) {
            if (t.K(k) == TTokenKind::Identifier && t.T(k - 1) != "@") {
                for (std::int32_t f = 0; f < ws.ForwardCount; ++f) {
                    if (ws.Funcs[static_cast<std::size_t>(f)] == t.T(k)) {
                        calls.emplace_back(t.T(k));
                    }
                }
            }
            ++k;
            if (t.T(k + 1) == "function" || t.T(k + 1) == ".") {
                p = k;
                break;
            }
        }
    }
    return jumps;
}

// Analyze without the listing, or without the General View, must leave every other table as
// Analyze with them does.
void ExpectSameTables(const TWorkspace& quiet, const TWorkspace& listed, bool generalView) {
    EXPECT_EQ(test::TreeLines(quiet.GeneralView),
              generalView ? test::TreeLines(listed.GeneralView) : std::vector<std::string>{});
    ASSERT_EQ(quiet.Nodes.size(), listed.Nodes.size());
    for (std::size_t n = 0; n < listed.Nodes.size(); ++n) {
        const TNodeKeep& a = quiet.Nodes[n];
        const TNodeKeep& b = listed.Nodes[n];
        EXPECT_EQ(a.Name, b.Name);
        EXPECT_EQ(a.Body(), b.Body());
        EXPECT_EQ(test::Strings(a.Lists.Lines()), test::Strings(b.Lists.Lines()));
        EXPECT_EQ(test::Strings(a.Lists.Jumps()), test::Strings(b.Lists.Jumps()));
        ASSERT_EQ(a.AnswerCount(), b.AnswerCount());
        for (std::int32_t j = 0; j < a.AnswerCount(); ++j) {
            EXPECT_EQ(a.Lists.Answer(j).Caption, b.Lists.Answer(j).Caption);
            EXPECT_EQ(a.Lists.Answer(j).Target, b.Lists.Answer(j).Target);
        }
        EXPECT_EQ(a.Lists.MsgUseCount(), b.Lists.MsgUseCount());
        EXPECT_EQ(test::MarkList(a), test::MarkList(b));
    }
    EXPECT_EQ(quiet.Counters, listed.Counters);
}

TEST(IndexedEquivalence, BodiesAndCallsEqualThePlainSearches) {
    const struct {
        const char* Options;
        bool Decoys;
    } cases[] = {
        {"--nodes 200 --seed 1", false},
        {"--nodes 200 --seed 2", true},
        {"--nodes 150 --seed 3 --eol lf", true},
        {"--nodes 250 --seed 4", false},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Options);
        const auto folder = GenerateScript(row.Options);
        if (folder.empty()) {
            GTEST_SKIP() << "the script generator did not run";
        }
        if (row.Decoys) {
            AddDecoyLines(folder / "talk.ipp");
        }
        test::TRecordingPort port;
        TWorkspace ws(port);
        ws.ScriptsLstPath = (folder / "scripts.lst").string();
        mnLoadClick(ws, (folder / "talk.ipp").string());
        sbRestartClick(ws);

        ASSERT_GT(ws.NodeCount(), 100);
        const auto jumps = PlainJumps(ws);
        ASSERT_EQ(jumps.size(), ws.Nodes.size());
        std::size_t calls = 0;
        std::size_t decoyStarts = 0;
        for (std::size_t n = 0; n < ws.Nodes.size(); ++n) {
            const TNodeKeep& node = ws.Nodes[n];
            SCOPED_TRACE(node.Name);
            EXPECT_EQ(node.Body(), PlainBody(ws.Rich, node.Name));
            EXPECT_EQ(test::Strings(node.Lists.Jumps()), jumps[n]);
            calls += static_cast<std::size_t>(node.JumpCount());
            decoyStarts += node.Body().rfind("  // function", 0) == 0 ? 1 : 0;
        }
        EXPECT_GT(calls, 0U);
        EXPECT_EQ(row.Decoys, decoyStarts > 0);

        // No pane lines, as the tree commands of the command-line tool ask; without the
        // General View the walk may split, on this size only when a plan forces it.
        for (const bool generalView : {true, false}) {
            for (const TSplitPlan& plan : {MeasuredPlan, ForcedPlan}) {
                TNullPort quietPort;
                TWorkspace quiet(quietPort);
                quiet.ScriptsLstPath = ws.ScriptsLstPath;
                const TAnalyzeRequest request{.Listing = false, .GeneralView = generalView};
                LoadScript(quiet, (folder / "talk.ipp").string(), request, plan);
                AnalyzeScript(quiet, request, plan);
                ExpectSameTables(quiet, ws, generalView);
            }
        }
    }
}

} // namespace
} // namespace dialoscope
