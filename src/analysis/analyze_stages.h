#pragma once
// The stages of Analyze, each plain and single-core, in the order sbRestartClick runs them: a
// driver that runs some of them on two cores (src/pipeline) runs the same stages around its
// splits.

#include "workspace.h"

#include <cstddef>
#include <limits>

namespace dialoscope {

// Empties what the last Analyze made: the node records, the trees and the output pane.
void ClearAnalysis(TWorkspace& ws);
// Parses the message file and the script list from their line buffers. Throws EConvertError for
// a bad line.
void ReadTables(TWorkspace& ws);
// Scans the script from its start, letting window messages through now and then, and choosing
// each token's word for the walks as it reads it. Pauses after the first token at or after the
// byte pauseAt, if it comes before the end, and then returns true; ScanScriptOn reads on.
bool ScanScript(TWorkspace& ws, std::size_t pauseAt = std::numeric_limits<std::size_t>::max());
void ScanScriptOn(TWorkspace& ws);
// After the pass: the commands that read its results may run.
void EnableAnalysisCommands(TWorkspace& ws);

} // namespace dialoscope
