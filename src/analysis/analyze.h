#pragma once
// Analyze: parses the message file and the script list, scans the script, lists every token in
// the output pane, reads the header sections and analyses every dialog node.

#include "analyze_request.h"
#include "workspace.h"

namespace dialoscope {

// Analyze on one core, making what request asks for (its Cores aside). Throws EConvertError for
// a bad message line (before the pass) or an error inside the pass; what was done before stays
// done.
void sbRestartClick(TWorkspace& ws, const TAnalyzeRequest& request = EverythingRequest);

} // namespace dialoscope
