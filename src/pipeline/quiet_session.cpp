#include "quiet_session.h"

#include "script_pipeline.h"

#include "analysis/errors.h"
#include "analysis/load.h"

namespace dialoscope {

// The one port for work without a window: the pane's lines go to the output port, the rest to
// the sink. Once the script is shared, neither is called again.
class TQuietPort : public TNullPort {
public:
    TQuietPort(TSessionSink& sink, TPort* output)
        : Sink_(&sink), Output_(output != nullptr ? output : &NoOutput_) {}

    void ClearOutput() override { Output_->ClearOutput(); }
    void AppendOutput(std::string_view line) override { Output_->AppendOutput(line); }
    void SetProgress(int percent) override { Sink_->SetProgress(percent); }
    void ProcessMessages() override { Sink_->ProcessMessages(); }
    void ShowMessage(std::string_view text) override { Sink_->ShowMessage(text); }

    void Detach() {
        Sink_ = &NoSink_;
        Output_ = &NoOutput_;
    }

private:
    struct TNoSink : TSessionSink {
        void ShowMessage(std::string_view) override {}
    };

    TNoSink NoSink_;
    TNullPort NoOutput_;
    TSessionSink* Sink_;
    TPort* Output_;
};

namespace {

// The one place a quiet session runs Load and Analyze; step says which one is running.
void LoadAndAnalyze(TWorkspace& ws, const std::string& script, const TAnalyzeRequest& request,
                    TSessionStep& step) {
    step = TSessionStep::Load;
    LoadScript(ws, script, request);
    step = TSessionStep::Analyze;
    AnalyzeScript(ws, request);
}

// What Load puts into the workspace, from texts instead of files.
void LoadTexts(TWorkspace& ws, const TQuietSession::TTexts& texts) {
    ws.IntFileName = ChangeFileExt(FileNamePart(texts.ScriptPath), ".int");
    ws.ScriptsLstPath = texts.ScriptsLstPath;
    ws.IntRich.SetText(texts.ScriptsLst);
    ws.MsgRich.SetText(texts.Messages);
    ws.Rich.SetText(texts.Script);
    ws.AnalyzeEnabled = true;
    ws.Scanner.ClearTokens();
    ws.ScriptStream.Clear();
    ws.ScriptStream.SharedBytes = ws.Rich.SharedBytes();
    ws.ScriptStream.Position = ws.ScriptStream.Size();
}

} // namespace

void TKeptReport::ShowMessage(std::string_view text) {
    if (Forward_ != nullptr) {
        Forward_->ShowMessage(text);
        return;
    }
    Messages.emplace_back(text);
}

void TKeptReport::Stopped(TSessionStep step, const std::exception& error) {
    const std::string why = ErrorText(error);
    Stop = TSessionStop{step, step == TSessionStep::Load ? why : AnalyzeStoppedText(why)};
}

TQuietSession::TQuietSession(const TAnalyzeRequest& request, TSessionSink& sink, TPort* output)
    : Request_(request), Sink_(sink), Port_(std::make_unique<TQuietPort>(sink, output)),
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

bool TQuietSession::OpenTexts(const TTexts& texts) {
    LoadTexts(*Ws_, texts);
    try {
        AnalyzeScript(*Ws_, Request_);
    } catch (const std::exception& error) {
        Sink_.Stopped(TSessionStep::Analyze, error);
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
