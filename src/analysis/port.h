#pragma once
// TPort: what a command shows on screen while it runs. The Qt window implements it with
// widgets; the command-line tool and the tests implement it in memory.

#include <array>
#include <cstdint>
#include <string_view>

namespace dialoscope {

enum class TCounter : std::uint8_t { Script = 0, Msg = 1, Units = 2, Vars = 3, Func = 4 };

// The counters' names, by TCounter value: the labels beside them and the header command's lines.
inline constexpr std::array<std::string_view, 5> CounterNames = {"script", "msg", "units", "vars",
                                                                 "func"};

class TPort {
public:
    virtual ~TPort() = default;

    // The output pane. Lines arrive with each tab already replaced by two spaces.
    virtual void ClearOutput() = 0;
    virtual void AppendOutput(std::string_view line) = 0;
    // False when the pane's lines go nowhere, so that a command may skip making them.
    virtual bool ShowsOutput() const { return true; }
    // False when nothing will show or read the General View, so that Analyze may leave it
    // empty: the node records are made all the same, as far as the two below ask.
    virtual bool ShowsGeneralView() const { return true; }
    // False when nothing will read what the node analysis collects (each node's said lines,
    // answers, calls, message uses and marks): the listing and the counters need only the walk
    // and the messages it shows, so Analyze may collect nothing.
    virtual bool KeepsNodeLists() const { return true; }
    // False when nothing will look a message up among the nodes' marks (only Search Msg does),
    // so Analyze may leave them unmade.
    virtual bool KeepsMsgMarks() const { return true; }

    // One of the five counters of the right-hand panel changed its caption.
    virtual void CounterChanged(TCounter counter, std::string_view caption) = 0;

    // The progress pane, 0..100.
    virtual void SetProgress(int percent) = 0;

    // Lets pending window messages through. Called often (once per token or branch); an
    // implementation decides how often it really yields, e.g. about every 16 ms.
    virtual void ProcessMessages() = 0;

    // A message box with an OK button; returns when the user has answered it.
    virtual void ShowMessage(std::string_view text) = 0;

    // False when the command already keeps every core busy (a project analysed on all cores), so
    // that Analyze of a big script starts no second thread of its own.
    virtual bool MayUseSecondCore() const { return true; }
};

// A port that shows nothing, for tests and tools that only look at the tables.
class TNullPort : public TPort {
public:
    void ClearOutput() override {}
    void AppendOutput(std::string_view) override {}
    void CounterChanged(TCounter, std::string_view) override {}
    void SetProgress(int) override {}
    void ProcessMessages() override {}
    void ShowMessage(std::string_view) override {}
};

} // namespace dialoscope
