#pragma once
// One script's Load and Analyze on one core or two: the one place that starts a thread, splits
// the work and joins it again. The layers below offer plain single-core stages (read the files,
// scan a byte range, walk a token range); mnLoadClick and sbRestartClick run them on one core,
// and the functions here run the same stages around their splits. Every output, byte for byte,
// is what one core alone makes.
//
// The words the code uses privately:
// - room:    token-list memory made (touched, so its pages are in place) before the scan writes
//            into it, on the second core while the first reads the files.
// - split:   a place where the work is cut in two: the scan's (a line about two thirds into the
//            bytes) and the walk's (a node a little past the middle of the tokens).
// - plan:    the TSplitPlan that says from what size two cores pay and where each split falls.
// - seam:    where the first core's work meets the second core's: taken only when both stand
//            in the same state there (see detail/scan_ahead.h and detail/second_half.h), else
//            dropped and done again on one core.
// - turn:    the first core's arrival at a seam, the moment it waits for the second core.
// - breathe: let the window's pending messages through (TPort::ProcessMessages), also while
//            waiting, so a window never freezes on a big script.

#include "analysis/analyze_request.h"
#include "analysis/workspace.h"
#include "split_plan.h"

#include <functional>
#include <string>

namespace dialoscope {

// Load of the script at path, as mnLoadClick, on a second core as well when request.Cores and
// plan allow: the token room is made and the script's second read compared meanwhile. Throws as
// mnLoadClick does. betweenScriptReads, when set, runs where mnLoadClick runs it.
void LoadScript(TWorkspace& ws, const std::string& path,
                const TAnalyzeRequest& request = EverythingRequest,
                const TSplitPlan& plan = MeasuredPlan,
                const std::function<void()>& betweenScriptReads = nullptr);

// Analyze, as sbRestartClick, on a second core as well when request.Cores and plan allow: the
// tables are parsed and the last third scanned meanwhile, and the second half's nodes walked
// when the General View is not asked for. Throws as sbRestartClick does, after the same output.
void AnalyzeScript(TWorkspace& ws, const TAnalyzeRequest& request = EverythingRequest,
                   const TSplitPlan& plan = MeasuredPlan);

} // namespace dialoscope
