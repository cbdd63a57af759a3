#pragma once
// Which nodes the player can get to: from every dialog start, and from every node that opens a
// dialog itself, through answers and calls. The dialog-health checks and the project statistics
// read the same walk.

#include "script_places.h"

#include "analysis/node_names.h"
#include "analysis/workspace.h"

#include <vector>

namespace dialoscope {

struct TDialogReach {
    std::vector<TDialogStart> Starts; // as Build Dialog Tree finds them
    // By node index: reached from a start; all 0 when the script has no dialog start, since then
    // no node is part of a dialog.
    std::vector<char> Reached;
    // By node index (empty when there is no start): the node holds an "OpenDialog" (it is a
    // starting place itself) or a "CloseDialog" keyword.
    std::vector<char> Opener;
    std::vector<char> Closer;
};

// Linear in the nodes, answers, calls and tokens; a name stands for the last node of that name.
TDialogReach ReachFromDialogStarts(const TWorkspace& ws, const TNodeNames& names);

} // namespace dialoscope
