#pragma once
// What the graph tests share: scripts of a few nodes, loaded and analysed, and a graph made by
// hand whose names are as hostile to the export formats as names get.

#include "loaded_script.h"

#include "graph/dialog_graph.h"

#include <memory>
#include <string>
#include <vector>

namespace dialoscope::test {

// A script with a forward declaration per name in calls (so that calls count), the node texts
// as given, and a node "TalkStart" that opens a dialog at startNode; no start when startNode is
// empty.
std::string GraphScript(const std::vector<std::string>& calls,
                        const std::vector<std::string>& nodes, const std::string& startNode);

// The script loaded from a fresh folder with an empty message file.
struct TLoadedGraphScript {
    TTempFolder Folder;
    std::unique_ptr<TLoaded> Loaded;
};
std::unique_ptr<TLoadedGraphScript> LoadGraphScript(const std::string& script,
                                                    const std::string& messages = "");

// examples/guard.ipp, loaded and analysed.
std::unique_ptr<TLoaded> LoadGuard();

// Vertices named "node", "edge", "graph", "subgraph", with quotes, braces, backslashes (one at
// the end), a non-ASCII name, an empty one, Mermaid's words, and edges between them (a
// self-loop and two answers to one node among them), every flag set somewhere.
TDialogGraph HostileGraph();

// A chain of count nodes N0 -> N1 -> ... opened by one dialog start.
std::string ChainScript(int count);

} // namespace dialoscope::test
