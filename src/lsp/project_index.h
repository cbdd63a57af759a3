#pragma once
// TProjectIndex: what the project's scripts (the scripts of its scripts.lst, as saved on disk)
// name, for the features that look beyond one script: the nodes of every script (workspace
// symbols) and every reference "k,n" into another script's messages (references of a message).
// Made by one plain call that the scheduler runs beside the requests.

#include "script_analysis.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dialoscope::lsp {

struct TIndexedNode {
    std::string Name; // UTF-8
    std::string Path; // the script
    TRange Range;     // the name after "function"
};

struct TIndexedMessageRef {
    std::int32_t Script = 0; // the line of scripts.lst whose message file is meant
    std::int32_t Number = 0;
    std::string Path; // the script holding the reference
    TRange Range;
};

struct TProjectIndex {
    std::string ListPath;
    std::vector<TIndexedNode> Nodes;
    std::vector<TIndexedMessageRef> OtherScriptRefs;
};

// The nodes and "k,n" references of one analysed script.
void AddToIndex(TProjectIndex& index, const TScriptAnalysis& analysis,
                const TTextCodePage& codePage);

// Reads the list at listPath and analyses each script it names, in list order; a script that
// cannot be read is left out. Gives up (nothing) as soon as stop() says so.
std::shared_ptr<TProjectIndex> IndexProject(const std::string& listPath,
                                            const TTextCodePage& codePage,
                                            const std::function<bool()>& stop);

} // namespace dialoscope::lsp
