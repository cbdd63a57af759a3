#pragma once
// What the command-line tool shows of a quiet session: the output pane streamed straight to
// standard output (the listing, and a search's lines once Analyze is done) or dropped (commands
// that show a tree or the counters); each message box as one line on standard error.

#include "analysis/port.h"
#include "pipeline/quiet_session.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace dialoscope {

enum class TPaneLines : std::uint8_t {
    Stream, // written to standard output as they come, CR LF after each, so the listing of a
            // large script never has to be held in memory
    // Counted, not kept, until StreamFromHere, then streamed: a search shows only its own
    // lines, which replace the listing, so the listing need never be held either.
    CountThenStream,
    Discard, // never shown: a command that writes a tree need not keep millions of lines
};

// One LF-ended line on standard error.
void WriteErrorLine(std::string_view text);

// Message boxes on standard error; what stops the session is thrown on to the command.
class TStandardErrorSink : public TSessionSink {
public:
    void ShowMessage(std::string_view text) override { WriteErrorLine(text); }
};

class TCliPort : public TPort {
public:
    explicit TCliPort(TPaneLines mode) : Mode_(mode) {}

    void ClearOutput() override;
    void AppendOutput(std::string_view line) override;
    void CounterChanged(TCounter, std::string_view) override {}
    void SetProgress(int) override {}
    void ProcessMessages() override {}
    void ShowMessage(std::string_view) override {}

    // CountThenStream: the pane's lines are written from now on.
    void StreamFromHere();
    // CountThenStream before StreamFromHere: the lines the pane holds, as the window would show
    // them, are only counted.
    bool StillCounting() const { return Mode_ == TPaneLines::CountThenStream; }
    std::size_t CountedLines() const { return Counted_; }

    // Stream: the lines after the first count are dropped.
    void StreamAtMost(std::size_t count) { Limit_ = count; }

private:
    TPaneLines Mode_;
    std::size_t Counted_ = 0;
    std::size_t Limit_ = SIZE_MAX;
};

} // namespace dialoscope
