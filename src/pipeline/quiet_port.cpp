#include "detail/quiet_port.h"

namespace dialoscope {

void TQuietPort::ClearOutput() {
    if (Output_ != nullptr) {
        Output_->ClearOutput();
    }
}

void TQuietPort::AppendOutput(std::string_view line) {
    if (Output_ != nullptr) {
        Output_->AppendOutput(line);
    }
}

void TQuietPort::SetProgress(int percent) {
    if (Sink_ != nullptr) {
        Sink_->SetProgress(percent);
    }
}

void TQuietPort::ProcessMessages() {
    if (Sink_ != nullptr) {
        Sink_->ProcessMessages();
    }
}

void TQuietPort::ShowMessage(std::string_view text) {
    if (Sink_ != nullptr) {
        Sink_->ShowMessage(text);
    }
}

void TQuietPort::Detach() {
    Sink_ = nullptr;
    Output_ = nullptr;
}

} // namespace dialoscope
