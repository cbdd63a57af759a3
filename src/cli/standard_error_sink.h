#pragma once
// How dialoscope-cli shows what a quiet session reports: each message box as one LF-ended line
// on standard error; what stopped Load or Analyze is thrown on to the command.

#include "pipeline/session_sink.h"

#include <string_view>

namespace dialoscope {

// One LF-ended line on standard error.
void WriteErrorLine(std::string_view text);

class TStandardErrorSink : public TSessionSink {
public:
    void ShowMessage(std::string_view text) override { WriteErrorLine(text); }
};

} // namespace dialoscope
