#include "analysis/analyze.h"
#include "analysis/detail/node_body.h"
#include "analysis/file_bytes.h"
#include "analysis_texts.h"

#include "workload.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace dialoscope {
namespace {

using Strings = std::vector<std::string>;

TLineStore LinesOf(const Strings& lines) {
    TLineStore store;
    store.SetText(test::CrLfLines(lines));
    return store;
}

// The body search as first written: from the top for every node, line by line.
std::string BodyBySearch(const TLineStore& lines, std::string_view name) {
    const auto has = [&](std::int32_t i, std::string_view part) {
        return i < lines.Count() && lines.Line(i).find(part) != std::string_view::npos;
    };
    std::int32_t s = 0;
    while (s < lines.Count() &&
           !(has(s, "function") && ContainsWholeWord(lines.Line(s), name) && !has(s, "forward"))) {
        ++s;
    }
    if (s == lines.Count()) {
        return {};
    }
    std::string body = std::string(lines.Line(s)) + "\r\n";
    for (std::int32_t j = s + 1; j < lines.Count(); ++j) {
        body += std::string(lines.Line(j)) + "\r\n";
        if (has(j + 2, "function") || has(j + 2, "end.")) {
            break;
        }
    }
    return body;
}

TEST(NodeBody, FromTheFunctionLineToTheLineBeforeTheGap) {
    const Strings script = {
        "function Node10; forward;", // 0
        "function Node1; forward;",  // 1
        "",                          // 2
        "function Node10;",          // 3
        "begin",                     // 4
        "end;",                      // 5
        "",                          // 6
        "function Node1;",           // 7
        "begin",                     // 8
        "  Say(Self, 1, 101);",      // 9
        "end;",                      // 10
        "",                          // 11
        "",                          // 12
        "function Tight;",           // 13
        "begin",                     // 14
        "end;",                      // 15
        "function Next_1; begin",    // 16
        "  x;",                      // 17
        "end;",                      // 18
        "",                          // 19
        "end.",                      // 20
    };
    const struct {
        const char* Name;
        Strings Body;
    } rows[] = {
        // Was: Node1 got the body of Node10, whose line comes first.
        {"Node1", {"function Node1;", "begin", "  Say(Self, 1, 101);", "end;", ""}},
        {"Node10", {"function Node10;", "begin", "end;"}},
        {"Tight", {"function Tight;", "begin"}}, // no blank line: the last line is lost
        {"Next_1", {"function Next_1; begin", "  x;", "end;"}},
        {"Next", {}}, // not a whole word on any line
        {"Say", {}},  // on no "function" line
        {"", {}},
    };
    const TLineStore lines = LinesOf(script);
    TNodeBodyIndex index(lines);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const std::string expected = test::CrLfLines(row.Body);
        EXPECT_EQ(index.Body(row.Name), expected);
        EXPECT_EQ(BodyBySearch(lines, row.Name), expected);
    }
}

TEST(NodeBody, WithoutAStopLineRunsToTheEnd) {
    const TLineStore lines =
        LinesOf({"x", "function Last;", "begin", "  Say(Self, 1, 1);", "end;"});
    TNodeBodyIndex index(lines);
    EXPECT_EQ(index.Body("Last"), "function Last;\r\nbegin\r\n  Say(Self, 1, 1);\r\nend;\r\n");
    const TLineStore one = LinesOf({"function Only;"});
    TNodeBodyIndex oneIndex(one);
    EXPECT_EQ(oneIndex.Body("Only"), "function Only;\r\n");
}

TEST(NodeBody, NamesThatAreNotOneWord) {
    const TLineStore lines =
        LinesOf({"function a b;", "x", "", "function (x);", "y", "", "function .;", "z"});
    TNodeBodyIndex index(lines);
    for (const char* name : {"a b", "(", "(x);", ".", ";", "b;", "x)"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(index.Body(name), BodyBySearch(lines, name));
        EXPECT_EQ(index.Body(name), BodyBySearch(lines, name)); // the remembered answer
    }
    EXPECT_EQ(index.Body("("), ""); // followed by a word byte
    EXPECT_EQ(index.Body("(x);"), "function (x);\r\ny\r\n");
}

// The indexed search must give, byte for byte, what the search from the top gives.
// A line stops the copy wherever "end." stands in it, among other dots or none.
TEST(NodeBody, EndDotStopsTheCopyAmongOtherDots) {
    const char* const stops[] = {
        "end.",  "x := 1.5; end.", "1.5 .end.", "en.d.",      "end", ".end",  "weekend.",
        "end..", "e.nd.",          "..",        "a.b.c end.", ".",   "end .", "END."};
    for (const char* stop : stops) {
        SCOPED_TRACE(stop);
        const TLineStore lines =
            LinesOf({"function N;", "begin", "  a;", "  b;", stop, "  c;", "  d;", "x"});
        TNodeBodyIndex index(lines);
        EXPECT_EQ(index.Body("N"), BodyBySearch(lines, "N"));
    }
}

TEST(NodeBody, IndexedSearchMatchesTheSearchOnGeneratedScripts) {
    namespace fs = std::filesystem;
    for (const int seed : {1, 2, 3, 4}) {
        SCOPED_TRACE(seed);
        const fs::path dir = fs::temp_directory_path() /
                             ("dialoscope_body_" + std::to_string(seed) + "_" +
                              std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        if (!test::GenerateWorkload("--nodes 60 --seed " + std::to_string(seed), dir.string())) {
            GTEST_SKIP() << "the workload generator did not run";
        }
        test::TAnalyzed a;
        const std::string script = ReadFileBytes((dir / "talk.ipp").string());
        test::LoadTexts(a.Ws, script, ReadFileBytes((dir / "talk.msg").string()),
                        ReadFileBytes((dir / "scripts.lst").string()));
        sbRestartClick(a.Ws);
        fs::remove_all(dir);
        ASSERT_GE(a.Ws.NodeCount(), 60);
        for (const auto& node : a.Ws.Nodes) {
            ASSERT_EQ(node.Body(), BodyBySearch(a.Ws.Rich, node.Name)) << node.Name;
        }
        // Jumps: each identifier call counted once per declaration, straight from Funcs.
        std::size_t jumps = 0;
        for (const auto& node : a.Ws.Nodes) {
            for (const std::string_view jump : node.Lists.Jumps()) {
                const auto declared =
                    std::count(a.Ws.Funcs.begin(), a.Ws.Funcs.begin() + a.Ws.ForwardCount, jump);
                ASSERT_GE(declared, 1) << jump;
            }
            jumps += static_cast<std::size_t>(node.JumpCount());
        }
        EXPECT_GT(jumps, 0u);
    }
}

} // namespace
} // namespace dialoscope
