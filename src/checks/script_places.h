#pragma once
// Places in the scanned script that the checks need beyond the node records: where dialogs
// start (as Build Dialog Tree finds them) and the forward declarations.

#include "analysis/tables.h"
#include "scanner/scanner.h"

#include <cstdint>
#include <deque>
#include <string_view>
#include <vector>

namespace dialoscope {

struct TDialogStart {
    std::string_view Name;           // the start node's name, a view into the token list
    std::int32_t OpenDialogLine = 0; // script line of the "OpenDialog" keyword
};

// Every "OpenDialog" keyword (exact letter case) with the first identifier after it that is
// followed by ";", scanned as Build Dialog Tree scans: from the second token, stopping before
// the token ahead of the closing "." or where no start name follows.
std::vector<TDialogStart> FindDialogStarts(const TScanner& scanner);

struct TForwardDeclaration {
    std::string_view Name;
    std::int32_t Line = 0;
};

// For each node, whether one of the script lines falls in it: a line belongs to the node whose
// "function" line is the last one at or before it (a node without a known line holds none).
std::vector<char> NodesHoldingLines(const std::deque<TNodeKeep>& nodes,
                                    const std::vector<std::int32_t>& lines);

// For each node, whether it holds a "CloseDialog" (exact letter case): the dialog can end there.
std::vector<char> NodesClosingDialog(const std::deque<TNodeKeep>& nodes, const TScanner& scanner);

// Every "function NAME ; forward" in the token list.
std::vector<TForwardDeclaration> FindForwardDeclarations(const TScanner& scanner);

} // namespace dialoscope
