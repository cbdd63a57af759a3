#include "quiet_session.h"

#include "detail/quiet_port.h"

#include "analysis/analyze.h"
#include "analysis/load.h"

namespace dialoscope {

namespace {

// The one place a quiet session runs Load and Analyze; step says which one is running. Until
// Load and Analyze take the request themselves, they read it through the port.
void LoadAndAnalyze(TWorkspace& ws, const std::string& script,
                    [[maybe_unused]] const TAnalyzeRequest& request, TSessionStep& step) {
    step = TSessionStep::Load;
    mnLoadClick(ws, script);
    step = TSessionStep::Analyze;
    sbRestartClick(ws);
}

} // namespace

TQuietSession::TQuietSession(const TAnalyzeRequest& request, TSessionSink& sink, TPort* output)
    : Request_(request), Sink_(sink), Port_(std::make_unique<TQuietPort>(request, sink, output)),
      Ws_(std::make_unique<TWorkspace>(*Port_)) {}

TQuietSession::~TQuietSession() = default;

bool TQuietSession::Open(const std::string& script, const std::string& scriptsLst) {
    Ws_->ScriptsLstPath = scriptsLst;
    TSessionStep step = TSessionStep::Load;
    try {
        LoadAndAnalyze(*Ws_, script, Request_, step);
    } catch (const std::exception& error) {
        Sink_.Stopped(step, error);
        return false;
    }
    return true;
}

TSharedScript TQuietSession::Share() {
    Port_->Detach();
    return std::make_shared<const TAnalysedScript>(std::move(Port_), std::move(Ws_));
}

TSharedScript OpenScript(const std::string& script, const std::string& scriptsLst,
                         const TAnalyzeRequest& request, TSessionSink& sink) {
    TQuietSession session(request, sink);
    session.Open(script, scriptsLst);
    return session.Share();
}

} // namespace dialoscope
