// The exports read back: DOT by cgraph, SVG as XML, JSON by nlohmann/json, Mermaid by its
// structure; on the example, a tangled script and names chosen to break each format.

#include "graph_test_support.h"
#include "mermaid_shape.h"

#include "graph/dot_export.h"
#include "graph/graph_json.h"
#include "graph/mermaid_export.h"
#include "graph/svg_export.h"

#include <expat.h>
#include <graphviz/cgraph.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <type_traits>

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

// What an XML parser finds wrong with xml; empty when it is well-formed.
std::string XmlProblem(std::string_view xml) {
    const std::unique_ptr<std::remove_pointer_t<XML_Parser>, void (*)(XML_Parser)> parser(
        XML_ParserCreate(nullptr), XML_ParserFree);
    if (XML_Parse(parser.get(), xml.data(), static_cast<int>(xml.size()), 1) == XML_STATUS_OK) {
        return {};
    }
    return std::string(XML_ErrorString(XML_GetErrorCode(parser.get()))) + " at line " +
           std::to_string(XML_GetCurrentLineNumber(parser.get()));
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
