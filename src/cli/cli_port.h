#pragma once
// The command-line tool's port: the output pane kept in memory (or streamed straight to
// standard output for the listing), message boxes as lines on standard error.

#include "analysis/port.h"

#include <cstdio>
#include <string>
#include <vector>

namespace dialoscope {

class TCliPort : public TPort {
public:
    // streamOutput: pane lines go to standard output as they come, CR LF after each, so the
    // listing of a large script never has to be held in memory.
    explicit TCliPort(bool streamOutput);

    void ClearOutput() override;
    void AppendOutput(std::string_view line) override;
    void CounterChanged(TCounter, std::string_view) override {}
    void SetProgress(int) override {}
    void ProcessMessages() override {}
    void ShowMessage(std::string_view text) override;

    const std::vector<std::string>& Lines() const { return Lines_; }

private:
    bool Stream_;
    std::vector<std::string> Lines_;
};

} // namespace dialoscope
