#pragma once
// The command-line tool's port: the output pane kept in memory, streamed straight to standard
// output (the listing) or dropped (commands that show a tree or the counters), message boxes as
// lines on standard error.

#include "analysis/port.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace dialoscope {

enum class TPaneLines : std::uint8_t {
    Keep,    // held for the command to write
    Stream,  // written to standard output as they come, CR LF after each, so the listing of a
             // large script never has to be held in memory
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
    // showsGeneralView: false for a command that neither writes the General View nor finds
    // items in it.
    TCliPort(TPaneLines mode, bool showsGeneralView, TNodeRecords records = TNodeRecords::All);

    void ClearOutput() override;
    void AppendOutput(std::string_view line) override;
    bool ShowsOutput() const override { return Mode_ != TPaneLines::Discard; }
    bool ShowsGeneralView() const override { return ShowsGeneralView_; }
    bool KeepsNodeLists() const override { return Records_ != TNodeRecords::Unread; }
    bool KeepsMsgMarks() const override { return Records_ == TNodeRecords::All; }
    void CounterChanged(TCounter, std::string_view) override {}
    void SetProgress(int) override {}
    void ProcessMessages() override {}
    void ShowMessage(std::string_view text) override;

    const std::vector<std::string>& Lines() const { return Lines_; }

private:
    TPaneLines Mode_;
    bool ShowsGeneralView_;
    TNodeRecords Records_;
    std::vector<std::string> Lines_;
};

} // namespace dialoscope
