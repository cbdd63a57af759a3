#pragma once
// TQuietSession: one script opened without a window, as every caller but the window opens one
// (the command line, the project run, the exchange): Load, then Analyze making what the request
// asks for, with every message box and error reported through one sink.

#include "analysed_script.h"
#include "session_sink.h"

#include "analysis/analyze_request.h"

#include <memory>
#include <string>

namespace dialoscope {

class TQuietPort;

class TQuietSession {
public:
    // output: where the output pane's lines go as they are made; null: nowhere. sink and output
    // must outlive the session, not the script it shares.
    TQuietSession(const TAnalyzeRequest& request, TSessionSink& sink, TPort* output = nullptr);
    ~TQuietSession();
    TQuietSession(const TQuietSession&) = delete;
    TQuietSession& operator=(const TQuietSession&) = delete;

    // Load of script, reading scripts.lst from scriptsLst, then Analyze. False when one of them
    // stopped and the sink, told why, returned; what the steps before it made stays made.
    bool Open(const std::string& script, const std::string& scriptsLst);

    // Before Open: how the trees are to be written; after: what the caller's command does next.
    TWorkspace& Workspace() { return *Ws_; }

    // The workspace as Open left it, read only from here on; the session is spent.
    TSharedScript Share();

private:
    TAnalyzeRequest Request_;
    TSessionSink& Sink_;
    std::unique_ptr<TQuietPort> Port_;
    std::unique_ptr<TWorkspace> Ws_;
};

// Opens script in a session of its own and shares it, as Open left it: for callers that only
// read the result.
TSharedScript OpenScript(const std::string& script, const std::string& scriptsLst,
                         const TAnalyzeRequest& request, TSessionSink& sink);

} // namespace dialoscope
