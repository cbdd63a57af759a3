#include "cli_port.h"

#include "standard_output.h"

namespace dialoscope {

void WriteErrorLine(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
}

// A streamed pane is only ever cleared before its first line: Load and Analyze clear it before
// the listing, a search before its own lines.
void TCliPort::ClearOutput() {
    Counted_ = 0;
}

void TCliPort::AppendOutput(std::string_view line) {
    if (Mode_ == TPaneLines::Discard) {
        return;
    }
    if (Mode_ == TPaneLines::CountThenStream || Counted_ >= Limit_) {
        ++Counted_;
        return;
    }
    ++Counted_;
    WriteStandardOutputLine(line);
}

void TCliPort::StreamFromHere() {
    if (Mode_ == TPaneLines::CountThenStream) {
        Mode_ = TPaneLines::Stream;
        Counted_ = 0;
    }
}

} // namespace dialoscope
