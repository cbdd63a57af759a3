#pragma once
// TQuietPort: the port of a quiet session, the one port for work without a window. The pane's
// lines go to an output port when the caller streams them (the command line's window commands),
// else nowhere; message boxes, progress and breathing go to the session's sink. What Analyze
// makes is answered from the request, here and nowhere else.

#include "analysis/analyze_request.h"
#include "analysis/port.h"
#include "pipeline/session_sink.h"

namespace dialoscope {

class TQuietPort : public TNullPort {
public:
    TQuietPort(const TAnalyzeRequest& request, TSessionSink& sink, TPort* output)
        : Request_(request), Sink_(&sink), Output_(output) {}

    void ClearOutput() override;
    void AppendOutput(std::string_view line) override;
    bool ShowsOutput() const override { return Request_.Listing; }
    bool ShowsGeneralView() const override { return Request_.GeneralView; }
    bool KeepsNodeLists() const override { return Request_.NodeLists; }
    bool KeepsMsgMarks() const override { return Request_.MsgMarks; }
    bool MayUseSecondCore() const override { return Request_.Cores > 1; }
    void SetProgress(int percent) override;
    void ProcessMessages() override;
    void ShowMessage(std::string_view text) override;

    // The session is over and its script read only: the sink and the output port, which may
    // not outlive the session, are never called again.
    void Detach();

private:
    TAnalyzeRequest Request_;
    TSessionSink* Sink_;
    TPort* Output_;
};

} // namespace dialoscope
