#pragma once
// Dialog health: how the nodes hang together through answers, calls and dialog starts.

#include "finding.h"

#include "analysis/workspace.h"

#include <string>
#include <vector>

namespace dialoscope {

// missing-target: an answer, a call or a dialog start whose name is no node's name (exact
// letter case, as Build Dialog Tree looks names up), with "did you mean" when a node's name
// differs only in ASCII letter case.
// unreachable-node: a node that no dialog start reaches through answers and calls, when the
// script opens a dialog at all. A node that opens a dialog itself is a starting place, not
// part of a dialog; of two nodes with one name only the later can be reached.
// dead-end: a node reached in a dialog that has no answer and no call and does not close the
// dialog with "CloseDialog".
// forward-without-node: a forward declaration that no node with the same name follows.
// Runs in time linear in the nodes, answers, calls and tokens; the walk keeps its own queue, so
// chains of any depth are fine.
void CheckDialogHealth(const TWorkspace& ws, const std::string& scriptFile,
                       std::vector<TFinding>& findings);

} // namespace dialoscope
