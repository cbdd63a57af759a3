#pragma once
// Shared helpers of the play tests: a dialog script made from its nodes, loaded, analysed and
// read as a walk reads it; and the guard example.

#include "play/play_script.h"

#include "loaded_script.h"
#include "temp_folder.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace dialoscope::test {

struct TNodeText {
    std::string Name;
    std::string Body; // the statements between "begin" and "end;"
};

// The header, a forward declaration per node, the nodes, and a start node "TalkStart" that opens
// a dialog at each of starts (none: no dialog start), then "end.".
std::string DialogScript(const std::vector<TNodeText>& nodes,
                         const std::vector<std::string>& starts = {"Node1"});

struct TPlayed {
    std::unique_ptr<TLoaded> Loaded;
    std::unique_ptr<TPlayScript> Script;
};

// Writes talk.ipp, talk.msg and scripts.lst into folder and reads the script for a walk.
TPlayed PlayScript(const TTempFolder& folder, const std::string& script,
                   const std::string& messages,
                   const std::string& scriptsLst = "talk.int ; this script\n");

// examples/guard.ipp with examples/scripts.lst.
TPlayed PlayGuard();

// The node named name; fails the test when there is none.
std::int32_t NodeOf(const TPlayScript& script, const std::string& name);

} // namespace dialoscope::test
