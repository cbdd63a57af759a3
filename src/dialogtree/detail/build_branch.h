#pragma once
// BuildBranch: adds under a Dialogs Tree item the depth-first expansion of one target name.

#include "dialogtree/node_index.h"

#include "analysis/workspace.h"

#include <cstdint>
#include <string>

namespace dialoscope {

inline constexpr const char* NodeNotFoundMessage = "Error when retrieving Node!";

enum class TBranchResult : std::uint8_t {
    Complete,
    // Another command emptied or rebuilt the Dialogs Tree while window messages were let
    // through; the build must stop, since its items and the records may be gone.
    Interrupted,
};

// Adds under parent the node item of name (or the repeat leaf "@"+name when visited already
// holds it), then under the node item each answer and its branch, then each jump and its
// branch. A name without a record shows NodeNotFoundMessage and gives a childless node item.
// The walk keeps its own stack, so a chain of any length cannot overflow the call stack; it
// lets window messages through once per branch, as a recursive walk would once per call.
TBranchResult BuildBranch(TWorkspace& ws, const TNodeIndex& index, const std::string& name,
                          TTreeKeep& visited, std::int32_t parent);

} // namespace dialoscope
