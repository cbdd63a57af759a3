#pragma once
// The command-line tool's port: the output pane streamed straight to standard output (the
// listing, and a search's lines once Analyze is done) or dropped (commands that show a tree or
// the counters), message boxes as lines on standard error.

#include "analysis/port.h"

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

// What a command reads of what Analyze collects per node.
enum class TNodeRecords : std::uint8_t {
    Unread,    // the listing and the counters
    ListsOnly, // said lines, answers, calls and message uses, not the messages' marks
    All,       // the marks too, which only Search Msg looks a message up in
};

class TCliPort : public TPort {
public:
    explicit TCliPort(TPaneLines mode);

    void ClearOutput() override;
    void AppendOutput(std::string_view line) override;
    void CounterChanged(TCounter, std::string_view) override {}
    void SetProgress(int) override {}
    void ProcessMessages() override {}
    void ShowMessage(std::string_view text) override;

    // CountThenStream: the pane's lines are written from now on.
    void StreamFromHere();
    // CountThenStream before StreamFromHere: the lines the pane holds, as the window would show
    // them, are only counted.
    bool StillCounting() const { return Mode_ == TPaneLines::CountThenStream; }
    std::size_t CountedLines() const { return Counted_; }

    // Stream: the lines after the first count are dropped.
    void StreamAtMost(std::size_t count) { Limit_ = count; }
    // Message boxes are not shown: a second run of what a first run already showed.
    void MuteMessages() { Muted_ = true; }

private:
    TPaneLines Mode_;
    std::size_t Counted_ = 0;
    std::size_t Limit_ = SIZE_MAX;
    bool Muted_ = false;
};

} // namespace dialoscope
