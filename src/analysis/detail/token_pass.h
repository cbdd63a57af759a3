#pragma once
// TTokenPass: what Analyze's pass over the scanned tokens works with, made once the scan is done:
// the token words, the section sink and the first core's run. A driver takes its steps with
// PassStep (pass_step.h), on one core or around a split.

#include "analysis_run.h"
#include "node_body.h"
#include "token_words.h"

#include <memory>

namespace dialoscope {

struct TTokenPass {
    TTokenPass(TWorkspace& ws, const TAnalyzeRequest& request);
    TTokenPass(const TTokenPass&) = delete;
    TTokenPass& operator=(const TTokenPass&) = delete;
    // Every node the pass made takes its text from the script's lines as they stand now,
    // through one index built only if a node's text is ever asked for; also when an error stops
    // the pass, so no node is left without its text.
    ~TTokenPass();

    TWorkspace& Ws;
    std::shared_ptr<TNodeBodyIndex> Bodies;
    TTokenWords Words;
    TSectionSink Sections;
    TAnalysisRun Run;
};

// The pass on one core: one listing line per token it reaches; a section or node lists only the
// keyword that opens it. The end-of-file token is never listed.
void WalkAllTokens(TTokenPass& pass);

} // namespace dialoscope
