// The exports read back: DOT by cgraph, SVG as XML, JSON by nlohmann/json, Mermaid by its
// structure; on the example, a tangled script and names chosen to break each format.

#include "graph_test_support.h"
#include "mermaid_shape.h"

#include "graph/dot_export.h"
#include "graph/graph_json.h"
#include "graph/mermaid_export.h"
#include "graph/svg_export.h"

#include <graphviz/cgraph.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <regex>

namespace dialoscope::test {
namespace {

struct TGraphCase {
    std::string Name;
    TDialogGraph Graph;
};

std::vector<TGraphCase> GraphCases() {
    TGraphBuildOptions texts;
    texts.Texts = true;
    std::vector<TGraphCase> cases;
    cases.push_back({"guard", BuildDialogGraph(LoadGuard()->Ws, texts)});
    cases.push_back({"hostile names", HostileGraph()});
    cases.push_back({"empty", TDialogGraph{}});
    return cases;
}

std::vector<std::pair<std::string, std::string>> EdgeEnds(const TDialogGraph& graph,
                                                          const std::vector<std::string>& names) {
    std::vector<std::pair<std::string, std::string>> ends;
    for (const TGraphEdge& edge : graph.Edges) {
        ends.emplace_back(names[static_cast<std::size_t>(edge.From)],
                          names[static_cast<std::size_t>(edge.To)]);
    }
    std::sort(ends.begin(), ends.end());
    return ends;
}

TEST(GraphExports, DotReadBackByCgraphGivesTheSameVerticesAndEdges) {
    for (const TGraphCase& c : GraphCases()) {
        SCOPED_TRACE(c.Name);
        const std::string dot = WriteDot(c.Graph);
        const std::unique_ptr<Agraph_t, int (*)(Agraph_t*)> read(agmemread(dot.c_str()), agclose);
        ASSERT_NE(read, nullptr) << dot;
        std::vector<std::string> ids;
        std::vector<std::pair<std::string, std::string>> ends;
        for (Agnode_t* node = agfstnode(read.get()); node; node = agnxtnode(read.get(), node)) {
            ids.emplace_back(agnameof(node));
            for (Agedge_t* edge = agfstout(read.get(), node); edge;
                 edge = agnxtout(read.get(), edge)) {
                ends.emplace_back(agnameof(agtail(edge)), agnameof(aghead(edge)));
            }
        }
        std::vector<std::string> names = DotNodeNames(c.Graph);
        EXPECT_EQ(ends.size(), c.Graph.Edges.size());
        std::sort(ends.begin(), ends.end());
        EXPECT_EQ(ends, EdgeEnds(c.Graph, names));
        std::sort(ids.begin(), ids.end());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(ids, names);
    }
}

// Whether text is well-formed XML: tags nest and close, attribute values are quoted, and text
// holds no bare "<" or "&" outside an entity.
std::string XmlProblem(std::string_view xml) {
    std::vector<std::string> open;
    const std::regex entity("^&(#[0-9]+|#x[0-9a-fA-F]+|[A-Za-z]+);");
    std::size_t i = 0;
    while (i < xml.size()) {
        if (xml[i] == '&') {
            const std::string rest(xml.substr(i, 12));
            if (!std::regex_search(rest, entity)) {
                return "bare & at " + std::to_string(i);
            }
            ++i;
            continue;
        }
        if (xml[i] != '<') {
            ++i;
            continue;
        }
        if (xml.substr(i, 4) == "<!--") {
            const std::size_t end = xml.find("-->", i);
            if (end == std::string_view::npos) {
                return "open comment";
            }
            i = end + 3;
            continue;
        }
        std::size_t end = i + 1;
        char quote = 0;
        while (end < xml.size() && (quote != 0 || xml[end] != '>')) {
            if (quote == 0 && (xml[end] == '"' || xml[end] == '\'')) {
                quote = xml[end];
            } else if (quote != 0 && xml[end] == quote) {
                quote = 0;
            } else if (quote == 0 && xml[end] == '<') {
                return "< inside a tag at " + std::to_string(end);
            }
            ++end;
        }
        if (end == xml.size()) {
            return "open tag at " + std::to_string(i);
        }
        const std::string_view tag = xml.substr(i + 1, end - i - 1);
        const std::string name(tag.substr(tag[0] == '/' ? 1 : 0, tag.find_first_of(" \t\n/>", 1) -
                                                                     (tag[0] == '/' ? 1 : 0)));
        if (tag[0] == '/') {
            if (open.empty() || open.back() != name) {
                return "</" + name + "> closes " + (open.empty() ? "nothing" : open.back());
            }
            open.pop_back();
        } else if (tag[0] != '?' && tag[0] != '!' && tag.back() != '/') {
            open.push_back(name);
        }
        i = end + 1;
    }
    return open.empty() ? "" : "<" + open.back() + "> not closed";
}

TEST(GraphExports, SvgIsWellFormedWithOneGroupPerVertex) {
    for (const TGraphCase& c : GraphCases()) {
        SCOPED_TRACE(c.Name);
        const TSvgResult svg = RenderSvg(c.Graph);
        ASSERT_EQ(svg.Status, TLayoutStatus::Done) << svg.Note;
        EXPECT_EQ(XmlProblem(svg.Svg), "");
        std::size_t groups = 0;
        for (std::size_t at = svg.Svg.find("class=\"node\""); at != std::string::npos;
             at = svg.Svg.find("class=\"node\"", at + 1)) {
            ++groups;
        }
        EXPECT_EQ(groups, c.Graph.Vertices.size());
    }
}

TEST(GraphExports, JsonRoundTrips) {
    for (const TGraphCase& c : GraphCases()) {
        SCOPED_TRACE(c.Name);
        const std::string json = WriteGraphJson(c.Graph);
        const TDialogGraph read = ReadGraphJson(json);
        EXPECT_EQ(read.Vertices, c.Graph.Vertices);
        EXPECT_EQ(read.Edges, c.Graph.Edges);
        EXPECT_EQ(read.Notes, c.Graph.Notes);
        EXPECT_EQ(WriteGraphJson(read), json);
    }
}

TEST(GraphExports, MermaidEscapesEveryCharacterItWouldRead) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain words", "plain words"},
        {"say \"hi\"", "say #quot;hi#quot;"},
        {"#35;", "#35;35;"},
        {"<br/>&amp;", "#lt;br/#gt;#amp;amp;"},
        {"a|b`c`", "a#124;b#96;c#96;"},
        {"two\r\nlines\ttab", "two  lines tab"},
        {std::string("nul\0bell\a", 9), "nulbell"},
        {"Grüße {[()]} end", "Grüße {[()]} end"},
    };
    for (const auto& [text, escaped] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(EscapeMermaidText(text), escaped);
    }
    for (const TGraphCase& c : GraphCases()) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(MermaidProblem(WriteMermaid(c.Graph)), "");
    }
}

} // namespace
} // namespace dialoscope::test
