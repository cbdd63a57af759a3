#include "play_support.h"

#include "play/quicktest.h"
#include "play/quicktest_output.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>

namespace dialoscope::test {
namespace {

using ::testing::HasSubstr;

TQuicktestReport QuicktestOf(const std::vector<TNodeText>& nodes,
                             const std::vector<std::string>& starts = {"Node1"}) {
    TTempFolder folder;
    const TPlayed played = PlayScript(folder, DialogScript(nodes, starts), "");
    return RunQuicktest(*played.Script, "talk.ipp");
}

TEST(Quicktest, UnreachableNodeAndMissingTarget) {
    const TQuicktestReport report = QuicktestOf({
        {"Node1", "  Answer(1, 100, @Node2);\n  Answer(1, 101, @Nowhere);\n  Node3;\n"},
        {"Node2", "  CloseDialog;\n"},
        {"Node3", "  Answer(1, 102, @Node1);\n  Answer(1, 103, @Node5);\n"},
        {"Node4", "  Answer(1, 104, @Node1);\n  Answer(1, 105, @Ghost);\n"},
        {"Node5", "  Say(Self, 1, 106);\n"},
    });
    EXPECT_TRUE(report.Failed());
    // Node4 is reached by nothing (the node that opens the dialog is no part of it); the walk from
    // Node1 finds the longest path Node1 Node3 Node5 without taking the way back to Node1.
    EXPECT_EQ(QuicktestText(report, {}),
              "talk.ipp\n"
              "  nodes reached: 4 of 5 (80.0%)\n"
              "  answers offered: 4 of 6 (66.7%)\n"
              "  start Node1 (OpenDialog on line 44)\n"
              "    nodes reached: 4 of 5\n"
              "    answers offered: 4\n"
              "    answers and calls to missing nodes:\n"
              "      Node1:16: answer 2 -> Nowhere, which is no node\n"
              "    the dialog can end at:\n"
              "      Node2 (CloseDialog)\n"
              "      Node5 (no answer and no call)\n"
              "    longest choice path without repeats: 2 choices: Node1 -3-> Node3 -2-> Node5\n"
              "  choices never offered (in nodes no dialog start reaches):\n"
              "    Node4:33: answer 1 -> Node1\n"
              "    Node4:34: answer 2 -> Ghost, which is no node\n");
}

TEST(Quicktest, BadInputEndsWithClearText) {
    struct TCase {
        std::string Why;
        std::vector<TNodeText> Nodes;
        std::vector<std::string> Starts;
        std::string Expected; // a piece of the text report
        bool Failed;
    };
    const std::vector<TCase> cases = {
        {"no dialog start", {{"Node1", "  Node1;\n"}}, {}, "  no dialog start\n", false},
        {"a node that calls itself",
         {{"Node1", "  Node1;\n  Answer(1, 100, @Node1);\n"}},
         {"Node1"},
         "longest choice path without repeats: 0 choices: Node1\n",
         false},
        {"two starts into one node",
         {{"Node1", "  CloseDialog;\n"}},
         {"Node1", "Node1"},
         "    nodes reached: 1 of 1\n",
         false},
        {"a start that names no node",
         {{"Node1", "  CloseDialog;\n"}},
         {"Ghost"},
         "start Ghost (OpenDialog on line 16): names no node\n",
         true},
        {"a dialog that loops forever",
         {{"Node1", "  Answer(1, 100, @Node2);\n"}, {"Node2", "  Answer(1, 101, @Node1);\n"}},
         {"Node1"},
         "    the dialog can end at: no node\n"
         "    longest choice path without repeats: 1 choice: Node1 -1-> Node2\n",
         false},
    };
    for (const TCase& row : cases) {
        SCOPED_TRACE(row.Why);
        const TQuicktestReport report = QuicktestOf(row.Nodes, row.Starts);
        EXPECT_THAT(QuicktestText(report, {}), HasSubstr(row.Expected));
        EXPECT_EQ(report.Failed(), row.Failed);
    }
}

// A reference for small graphs: the longest path without repeats over every path there is.
std::int32_t LongestSimplePath(const std::vector<std::vector<std::int32_t>>& edges,
                               std::int32_t from, std::vector<char>& onPath) {
    onPath[static_cast<std::size_t>(from)] = 1;
    std::int32_t longest = 0;
    for (const std::int32_t to : edges[static_cast<std::size_t>(from)]) {
        if (!onPath[static_cast<std::size_t>(to)]) {
            longest = std::max(longest, 1 + LongestSimplePath(edges, to, onPath));
        }
    }
    onPath[static_cast<std::size_t>(from)] = 0;
    return longest;
}

bool HasLoop(const std::vector<std::vector<std::int32_t>>& edges) {
    for (std::size_t from = 0; from < edges.size(); ++from) {
        for (const std::int32_t to : edges[from]) {
            if (static_cast<std::size_t>(to) <= from) {
                return true;
            }
        }
    }
    return false;
}

TEST(Quicktest, LongestPathRepeatsNothingAndIsLongestWithoutLoops) {
    std::mt19937 random(7);
    constexpr std::int32_t NodeCount = 6;
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        // Half the rounds only lead to later nodes: no loop, so the longest path is exact.
        const bool forwardOnly = round % 2 == 0;
        std::vector<std::vector<std::int32_t>> edges(NodeCount);
        std::vector<TNodeText> nodes;
        for (std::int32_t from = 0; from < NodeCount; ++from) {
            std::string body;
            for (std::uint32_t n = random() % 4; n > 0; --n) {
                const std::int32_t low = forwardOnly ? from + 1 : 0;
                if (low >= NodeCount) {
                    break;
                }
                const auto to = static_cast<std::int32_t>(low + random() % (NodeCount - low));
                edges[static_cast<std::size_t>(from)].push_back(to);
                body += "  Answer(1, 100, @Node" + std::to_string(to + 1) + ");\n";
            }
            nodes.push_back({"Node" + std::to_string(from + 1), body});
        }
        const TQuicktestReport report = QuicktestOf(nodes);
        const TQuicktestStart& start = report.Starts.at(0);
        std::vector<char> onPath(NodeCount, 0);
        const std::int32_t longest = LongestSimplePath(edges, 0, onPath);
        const auto length = static_cast<std::int32_t>(start.LongestChoices.size());
        if (!HasLoop(edges)) {
            EXPECT_EQ(length, longest);
        }
        EXPECT_LE(length, longest);
        // Each step takes the named choice, and no node comes twice.
        std::vector<char> seen(NodeCount, 0);
        for (std::size_t i = 0; i < start.LongestPath.size(); ++i) {
            const std::int32_t node = std::stoi(start.LongestPath[i].substr(4)) - 1;
            EXPECT_FALSE(seen[static_cast<std::size_t>(node)]);
            seen[static_cast<std::size_t>(node)] = 1;
            if (i + 1 < start.LongestPath.size()) {
                const auto choice = static_cast<std::size_t>(start.LongestChoices[i] - 1);
                EXPECT_EQ(edges[static_cast<std::size_t>(node)].at(choice),
                          std::stoi(start.LongestPath[i + 1].substr(4)) - 1);
            }
        }
    }
}

// Python's own XML reader answers for the JUnit output: the counts and each test case.
TEST(Quicktest, JunitOutputReadsAsJunit) {
    TQuicktestReport good = QuicktestOf({{"Node1", "  CloseDialog;\n"}});
    good.Script = "dir/a&b <\"good\">.ipp";
    const TQuicktestReport missing =
        QuicktestOf({{"Node1", "  Answer(1, 100, @Ghost);\n  Say(Self, 1, 101);\n"}});
    TQuicktestReport broken;
    broken.Script = "broken.ipp";
    broken.Error = std::string("Cannot open file broken.msg \x01 'quoted' & <more>");
    TTempFolder folder;
    const std::string xml = folder.Write(
        "junit.xml", QuicktestOutput({good, missing, broken}, TQuicktestFormat::Junit, {}));
    const std::string reader = folder.Write(
        "read.py", "import sys, xml.etree.ElementTree as E\n"
                   "root = E.parse(sys.argv[1]).getroot()\n"
                   "suite = root.find('testsuite')\n"
                   "out = [root.tag, root.get('tests'), root.get('failures'), root.get('errors')]\n"
                   "for case in suite.findall('testcase'):\n"
                   "    kind = 'failure' if case.find('failure') is not None else "
                   "'error' if case.find('error') is not None else 'ok'\n"
                   "    out.append(case.get('name') + '=' + kind)\n"
                   "out.append(suite.findall('testcase')[2].find('error').get('message'))\n"
                   "open(sys.argv[2], 'w').write('|'.join(out))\n");
    const std::string answer = folder.Path("answer.txt");
    ASSERT_EQ(std::system(("python3 " + reader + " " + xml + " " + answer).c_str()), 0);
    std::ifstream in(answer);
    const std::string read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(read, "testsuites|3|1|1|dir/a&b <\"good\">.ipp=ok|talk.ipp=failure|broken.ipp=error|"
                    "Cannot open file broken.msg \xEF\xBF\xBD 'quoted' & <more>");
}

TEST(Quicktest, JsonCarriesTheCoverage) {
    const TQuicktestReport report =
        QuicktestOf({{"Node1", "  Answer(1, 100, @Node2);\n"}, {"Node2", "  CloseDialog;\n"}});
    const std::string json = QuicktestOutput({report}, TQuicktestFormat::Json, {});
    EXPECT_THAT(json, HasSubstr("\"node_coverage\": 100.0"));
    EXPECT_THAT(json, HasSubstr("\"answer_coverage\": 100.0"));
    EXPECT_THAT(json, HasSubstr("{\n  \"failed\": 0,\n  \"scripts\": ["));
}

} // namespace
} // namespace dialoscope::test
