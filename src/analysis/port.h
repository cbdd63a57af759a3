#pragma once
// TPort: what a command shows on screen while it runs, output only: what Analyze makes is asked
// for by a TAnalyzeRequest beside it. The Qt window implements it with widgets; the command-line
// tool and the tests implement it in memory.

#include <array>
#include <cstdint>
#include <string_view>

namespace dialoscope {

enum class TCounter : std::uint8_t { Script = 0, Msg = 1, Units = 2, Vars = 3, Func = 4 };

// The counters' names, by TCounter value: the labels beside them and the header command's lines.
inline constexpr std::array<std::string_view, 5> CounterNames = {"script", "msg", "units", "vars",
                                                                 "func"};

// Every call is pure, so that each port says what it does with a new one: the second core's
// TDeferredPort keeps it for the first core to replay, or drops it, and the tables that compare
// two cores with one (tests/pipeline) catch a call dropped that shows.
class TPort {
public:
    virtual ~TPort() = default;

    // The output pane. Lines arrive with each tab already replaced by two spaces.
    virtual void ClearOutput() = 0;
    virtual void AppendOutput(std::string_view line) = 0;

    // One of the five counters of the right-hand panel changed its caption.
    virtual void CounterChanged(TCounter counter, std::string_view caption) = 0;

    // The progress pane, 0..100.
    virtual void SetProgress(int percent) = 0;

    // Lets pending window messages through. Called often (once per token or branch); an
    // implementation decides how often it really yields, e.g. about every 16 ms.
    virtual void ProcessMessages() = 0;

    // A message box with an OK button; returns when the user has answered it.
    virtual void ShowMessage(std::string_view text) = 0;
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
