#include "cli_port.h"

#include "standard_output.h"

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
    WriteStandardOutput(line);
    WriteStandardOutput("\r\n");
}

void TCliPort::ShowMessage(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
}

} // namespace dialoscope
