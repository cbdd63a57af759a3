#pragma once
// TRecordingPort: a port that keeps what a command shows (pane lines, message boxes, progress)
// and counts its counter changes and its turns of the event loop, for whole-output comparisons.

#include "analysis/port.h"

#include <string>
#include <string_view>
#include <vector>

namespace dialoscope::test {

class TRecordingPort : public TPort {
public:
    void ClearOutput() override { Output.clear(); }
    void AppendOutput(std::string_view line) override { Output.emplace_back(line); }
    void CounterChanged(TCounter, std::string_view) override { ++CounterChanges; }
    void SetProgress(int percent) override { Progress.push_back(percent); }
    void ProcessMessages() override { ++ProcessMessagesCalls; }
    void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }

    std::vector<std::string> Output;
    std::vector<std::string> Messages;
    std::vector<int> Progress;
    int CounterChanges = 0;
    int ProcessMessagesCalls = 0;
};

} // namespace dialoscope::test
