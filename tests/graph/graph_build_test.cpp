// The dialog graph against what the rest of the program already says about the same script:
// the Dialogs Tree's answer and call items, and the dialog-health findings.

#include "graph_test_support.h"
#include "workload.h"

#include "checks/dialog_health.h"
#include "dialogtree/dialog_tree.h"
#include "graph/graph_scope.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace dialoscope::test {
namespace {

using ::testing::ElementsAre;

// An answer or call as both sides can tell it: from, kind, label, to.
using TStep = std::tuple<std::string, std::string, std::string, std::string>;

// Each dialog's steps as the Dialogs Tree shows them: under a node item, an answer item (its
// caption) or a jump item, whose one child is the target's node item or its "@" repeat leaf.
std::vector<std::vector<TStep>> TreeDialogs(const TOutlineTree& tree) {
    std::vector<std::vector<TStep>> dialogs;
    for (std::int32_t i = 0; i < tree.Count(); ++i) {
        const TTreeItem& item = tree.Item(i);
        if (item.Depth == 0) {
            dialogs.emplace_back();
        }
        if ((item.Image != imgAnswer && item.Image != imgJump) || tree.ChildCount(i) != 1) {
            continue;
        }
        const TTreeItem& target = tree.Item(tree.ChildAt(i, 0));
        std::string to(target.Caption);
        if (target.Image == imgRepeat) {
            to.erase(0, 1);
        }
        const bool answer = item.Image == imgAnswer;
        dialogs.back().emplace_back(std::string(tree.Item(item.Parent).Caption),
                                    answer ? "answer" : "call",
                                    answer ? std::string(item.Caption) : "", to);
    }
    for (auto& steps : dialogs) {
        std::sort(steps.begin(), steps.end());
    }
    return dialogs;
}

// Each start's dialog as the graph's dialog scope gives it, without the start edge.
std::vector<std::vector<TStep>> GraphDialogs(const TDialogGraph& whole) {
    std::vector<std::vector<TStep>> dialogs;
    for (std::int32_t v = 0; v < whole.VertexCount(); ++v) {
        if (whole.Vertices[static_cast<std::size_t>(v)].Kind != TVertexKind::Start) {
            continue;
        }
        const TDialogGraph dialog = SelectScope(whole, {TScopeKind::Dialog, v, 0});
        std::vector<TStep>& steps = dialogs.emplace_back();
        for (const TGraphEdge& edge : dialog.Edges) {
            if (edge.Kind != TEdgeKind::Start) {
                steps.emplace_back(dialog.Vertices[static_cast<std::size_t>(edge.From)].Name,
                                   std::string(KindWord(edge.Kind)), edge.Label,
                                   dialog.Vertices[static_cast<std::size_t>(edge.To)].Name);
            }
        }
        std::sort(steps.begin(), steps.end());
    }
    return dialogs;
}

// (node index, flag word) from the graph and from the findings.
std::multimap<std::int32_t, std::string> GraphFlags(const TDialogGraph& graph) {
    std::multimap<std::int32_t, std::string> flags;
    for (const TGraphVertex& vertex : graph.Vertices) {
        for (const std::string_view word : FlagWords(vertex.Flags)) {
            if (word == "unreachable" || word == "dead-end") {
                flags.emplace(vertex.Node, word);
            }
        }
    }
    return flags;
}

std::multimap<std::int32_t, std::string> FindingFlags(const TWorkspace& ws) {
    std::vector<TFinding> findings;
    CheckDialogHealth(ws, "talk.ipp", findings);
    std::multimap<std::int32_t, std::string> flags;
    for (const TFinding& finding : findings) {
        if (finding.Kind == TFindingKind::UnreachableNode ||
            finding.Kind == TFindingKind::DeadEnd) {
            flags.emplace(finding.Node,
                          KindWord(finding.Kind) == "dead-end" ? "dead-end" : "unreachable");
        }
    }
    return flags;
}

const std::vector<std::string> TangledNodes = {
    // A self-loop, two answers to one node, a call, a missing target, a missing call.
    "function A;\nbegin\n  Say(Self, 1, 1);\n  Answer(1, 2, @A);\n  Answer(1, 3, @B);\n"
    "  Answer(1, 4, @B);\n  Answer(1, 5, @Nowhere);\n  C;\n  Ghost;\nend;\n",
    "function B;\nbegin\n  Say(Self, 1, 6);\nend;\n",
    "function C;\nbegin\n  Answer(1, 7, @A);\n  CloseDialog;\nend;\n",
    // Unreachable, and an earlier record of a name used again.
    "function D;\nbegin\n  Answer(1, 8, @A);\nend;\n",
    "function D;\nbegin\n  Answer(1, 9, @B);\nend;\n",
};

struct TScriptCase {
    std::string Name;
    std::function<std::unique_ptr<TLoaded>()> Load;
};

std::vector<TScriptCase> ScriptCases() {
    return {
        {"guard", [] { return LoadGuard(); }},
        {"tangled",
         [] {
             return std::move(
                 LoadGraphScript(GraphScript({"C", "Ghost"}, TangledNodes, "A"))->Loaded);
         }},
        {"generated",
         [] {
             const std::string folder = GeneratedWorkload("--nodes 60 --seed 7");
             return LoadScriptFile(folder + "/talk.ipp", folder + "/scripts.lst");
         }},
    };
}

TEST(DialogGraph, EdgesEqualTheDialogsTree) {
    for (const TScriptCase& script : ScriptCases()) {
        SCOPED_TRACE(script.Name);
        const auto loaded = script.Load();
        ASSERT_EQ(loaded->AnalyzeError, "");
        const TDialogGraph graph = BuildDialogGraph(loaded->Ws);
        Button4Click(loaded->Ws);
        const auto tree = TreeDialogs(loaded->Ws.DialogsTree);
        ASSERT_FALSE(tree.empty());
        EXPECT_EQ(GraphDialogs(graph), tree);
    }
}

TEST(DialogGraph, FlagsEqualTheDialogHealthFindings) {
    for (const TScriptCase& script : ScriptCases()) {
        SCOPED_TRACE(script.Name);
        const auto loaded = script.Load();
        const TDialogGraph graph = BuildDialogGraph(loaded->Ws);
        EXPECT_EQ(GraphFlags(graph), FindingFlags(loaded->Ws));
    }
}

TEST(DialogGraph, VerticesOfATangledScript) {
    const auto script = LoadGraphScript(GraphScript({"C", "Ghost"}, TangledNodes, "A"));
    const TDialogGraph graph = BuildDialogGraph(script->Loaded->Ws);
    std::vector<std::string> described;
    for (const TGraphVertex& vertex : graph.Vertices) {
        std::string flags;
        for (const std::string_view word : FlagWords(vertex.Flags)) {
            flags += ' ';
            flags += word;
        }
        described.push_back(std::string(KindWord(vertex.Kind)) + " " + vertex.Id + flags);
    }
    // Nodes first in record order, then starts and missing names as met.
    EXPECT_THAT(described, ElementsAre("node A start", "node B dead-end", "node C",
                                       "node D (line 31) unreachable", "node D unreachable",
                                       "node TalkStart", "start OpenDialog (line 43) start",
                                       "missing Nowhere missing", "missing Ghost missing"));
    std::vector<std::string> edges;
    for (const TGraphEdge& edge : graph.Edges) {
        edges.push_back(graph.Vertices[static_cast<std::size_t>(edge.From)].Id + " " +
                        std::string(KindWord(edge.Kind)) + " " +
                        graph.Vertices[static_cast<std::size_t>(edge.To)].Id + " " +
                        (edge.Message ? RefText(edge.Message->Ref) : "-"));
    }
    EXPECT_THAT(edges,
                ElementsAre("OpenDialog (line 43) start A -", "A answer A 2", "A answer B 3",
                            "A answer B 4", "A answer Nowhere 5", "A call C -", "A call Ghost -",
                            "C answer A 7", "D (line 31) answer A 8", "D answer B 9"));
}

TEST(DialogGraph, MessagesAndTextsOfLinesAndAnswers) {
    const auto script = LoadGraphScript(
        GraphScript({},
                    {"function A;\nbegin\n  Say(Self, 1, 10);\n  Say(Self, 1, 3, Rnd(11,12));\n"
                     "  Write(GetStr(13) + GetStr(14));\n  Answer(1, 15, @A);\n"
                     "  Answer(1, GetStr(16) + GetStr(17), @A);\n  Answer(1, 99, @A);\n"
                     "end;\n"},
                    "A"),
        // Filled middle fields and blanks between fields: the labels are the text fields.
        "{10}{v10}{Hello}\n  {11} {} {One}\n{13}{}{Gr\xFC\xDF"
        "e}\n{14}{}{und so}\n{15}{snd_15}{Yes}\n{16}\t{}{Maybe}\n{17}{}{not}\n");
    TGraphBuildOptions options;
    options.Texts = true;
    ASSERT_EQ(script->Loaded->AnalyzeError, "");
    const TDialogGraph graph = BuildDialogGraph(script->Loaded->Ws, options);
    std::vector<std::string> lines;
    for (const TGraphLine& line : graph.Vertices[0].Lines) {
        ASSERT_TRUE(line.Message) << line.Caption;
        lines.push_back(line.Caption + " | " + RefText(line.Message->Ref) + " | " +
                        line.Message->Text.value_or("-"));
    }
    EXPECT_THAT(lines, ElementsAre("say =10 | 10 | Hello", "say =11-12 | 11-12 | One",
                                   "write =13 14 | 13 | Grüße und so"));
    std::vector<std::string> labels;
    for (const TGraphEdge& edge : graph.Edges) {
        labels.push_back(edge.Label);
    }
    // A concatenation's texts are joined; without a text the caption stays the label.
    EXPECT_THAT(labels, ElementsAre("", "Yes", "Maybe not", "answer =99"));
}

TEST(DialogGraph, BadInputGivesAGraphWithANote) {
    struct TCase {
        std::string Name;
        std::string Script;
        std::int32_t Vertices;
        std::int32_t Edges;
        bool NoStartNote;
    };
    const std::vector<TCase> cases = {
        {"empty script", "", 0, 0, true},
        {"no dialog start",
         GraphScript({}, {"function A;\nbegin\n  Answer(1, 1, @A);\nend;\n"}, ""), 1, 1, true},
        {"a chain of 10,000 nodes", ChainScript(10000), 10002, 10000, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto script = LoadGraphScript(c.Script);
        const TDialogGraph graph = BuildDialogGraph(script->Loaded->Ws);
        EXPECT_EQ(graph.VertexCount(), c.Vertices);
        EXPECT_EQ(static_cast<std::int32_t>(graph.Edges.size()), c.Edges);
        EXPECT_EQ(graph.Notes == std::vector<std::string>{std::string(NoDialogStartNote)},
                  c.NoStartNote);
    }
}

} // namespace
} // namespace dialoscope::test
