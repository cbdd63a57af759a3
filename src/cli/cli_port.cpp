#include "cli_port.h"

namespace dialoscope {

TCliPort::TCliPort(TPaneLines mode, bool showsGeneralView, TNodeRecords records)
    : Mode_(mode), ShowsGeneralView_(showsGeneralView), Records_(records) {}

void TCliPort::ClearOutput() {
    Lines_.clear();
}

void TCliPort::AppendOutput(std::string_view line) {
    if (Mode_ == TPaneLines::Discard) {
        return;
    }
    if (Mode_ == TPaneLines::Keep) {
        Lines_.emplace_back(line);
        return;
    }
    // Only this thread writes to standard output: the stream's lock per line is wasted.
    fwrite_unlocked(line.data(), 1, line.size(), stdout);
    fwrite_unlocked("\r\n", 1, 2, stdout);
}

void TCliPort::ShowMessage(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
}

} // namespace dialoscope
