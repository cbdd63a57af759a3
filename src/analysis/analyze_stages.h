#pragma once
// The stages of Analyze, each plain and single-core, in the order sbRestartClick runs them: a
// driver that runs some of them on two cores (src/pipeline) runs the same stages around its
// splits.

#include "scanner/scan_ahead.h"
#include "workspace.h"

namespace dialoscope {

// Empties what the last Analyze made: the node records, the trees and the output pane.
void ClearAnalysis(TWorkspace& ws);
// Parses the message file and the script list from their line buffers. Throws EConvertError for
// a bad line.
void ReadTables(TWorkspace& ws);
// Scans the script, letting window messages through now and then, and choosing each token's
// word for the walks as it reads it. With a join, takes the tokens of its scan ahead where it
// meets them.
void ScanScript(TWorkspace& ws, const TScanAheadJoin& join = {});
// After the pass: the commands that read its results may run.
void EnableAnalysisCommands(TWorkspace& ws);

} // namespace dialoscope
