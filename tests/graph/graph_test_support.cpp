#include "graph_test_support.h"

namespace dialoscope::test {

std::string GraphScript(const std::vector<std::string>& calls,
                        const std::vector<std::string>& nodes, const std::string& startNode) {
    std::string text = "script Talk('talk.msg');\n\nuses Globals;\n\nVar a;\n\n";
    for (const std::string& name : calls) {
        text += "function " + name + "; forward;\n";
    }
    for (const std::string& node : nodes) {
        text += node + "\n";
    }
    if (!startNode.empty()) {
        text += "function TalkStart;\nbegin\n  OpenDialog(GetObjectID(0));\n  " + startNode +
                ";\nend;\n";
    }
    return text + "\nend.\n";
}

std::unique_ptr<TLoadedGraphScript> LoadGraphScript(const std::string& script,
                                                    const std::string& messages) {
    auto loaded = std::make_unique<TLoadedGraphScript>();
    loaded->Loaded = LoadScript(loaded->Folder, script, messages);
    return loaded;
}

std::unique_ptr<TLoaded> LoadGuard() {
    const std::string examples = DIALOSCOPE_SOURCE_DIR "/examples/";
    return LoadScriptFile(examples + "guard.ipp", examples + "scripts.lst");
}

TDialogGraph HostileGraph() {
    // "%1" and "%": cgraph takes names starting with "%" for its own anonymous ones. Was: the
    // DOT lost them (found by the fuzz target). Control bytes: was, copied raw into the SVG,
    // which XML forbids.
    const std::vector<std::string> names = {"node",
                                            "edge",
                                            "graph",
                                            "subgraph",
                                            "say \"hi\"",
                                            "{braces}",
                                            "back\\slash",
                                            "trail\\",
                                            "Grüße, Привет",
                                            "",
                                            "end",
                                            "-->|x|",
                                            "#35; <b>&amp;</b> `tick`",
                                            "strict",
                                            "digraph",
                                            "%1",
                                            "%",
                                            "bell\a escape\x1b del\x7f",
                                            "tab\tbreak\rline\n"};
    TDialogGraph graph;
    for (std::size_t i = 0; i < names.size(); ++i) {
        TGraphVertex vertex;
        vertex.Id = names[i];
        vertex.Name = names[i];
        vertex.Node = static_cast<std::int32_t>(i);
        vertex.Line = static_cast<std::int32_t>(i + 1);
        vertex.Flags = static_cast<TVertexFlags>(1u << (i % 4));
        vertex.Lines.push_back({"say =\"" + names[i] + "\"\n{line}", std::nullopt});
        graph.Vertices.push_back(std::move(vertex));
    }
    graph.Vertices[9].Kind = TVertexKind::Missing;
    graph.Vertices[10].Kind = TVertexKind::Start;
    const auto edge = [&](int from, int to, TEdgeKind kind, std::string label) {
        graph.Edges.push_back({from, to, kind, std::move(label), std::nullopt, from + 1});
    };
    for (int i = 0; i + 1 < static_cast<int>(names.size()); ++i) {
        edge(i, i + 1, TEdgeKind::Answer, names[i + 1] + " | \"quoted\" \\ <br/>");
    }
    edge(4, 4, TEdgeKind::Answer, "self");
    edge(5, 6, TEdgeKind::Call, "");
    edge(10, 0, TEdgeKind::Start, "");
    edge(2, 3, TEdgeKind::Answer, "again");
    graph.Edges.back().Message = TGraphMessage{{TMsgRefKind::Range, 100, 105, 0}, "text \"x\""};
    graph.Notes.push_back("a note with \"quotes\"");
    return graph;
}

std::string ChainScript(int count) {
    std::vector<std::string> nodes;
    nodes.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string node = "function N" + std::to_string(i) + ";\nbegin\n  Say(Self, 1, 1);\n";
        if (i + 1 < count) {
            node += "  Answer(1, 2, @N" + std::to_string(i + 1) + ");\n";
        }
        nodes.push_back(node + "end;\n");
    }
    return GraphScript({}, nodes, "N0");
}

} // namespace dialoscope::test
