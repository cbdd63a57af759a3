#include "session_sink.h"

#include "analyze_stopped.h"

#include "analysis/errors.h"

namespace dialoscope {

void TSessionSink::Stopped(TSessionStep, const std::exception&) {
    throw;
}

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

} // namespace dialoscope
