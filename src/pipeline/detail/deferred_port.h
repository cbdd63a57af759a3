#pragma once
// TDeferredPort: the port of a walk done on the second core, away from the window. It keeps
// the pane lines, messages and counters in the order they came, for the first core to show
// later on the real port; progress and breaths go nowhere, since the first core shows both.

#include "analysis/port.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dialoscope {

class TDeferredPort : public TPort {
public:
    void ClearOutput() override { Keep(TKind::Clear, {}); }
    void AppendOutput(std::string_view line) override { Keep(TKind::Line, line); }
    void CounterChanged(TCounter counter, std::string_view caption) override;
    void SetProgress(int) override {}
    void ProcessMessages() override {}
    void ShowMessage(std::string_view text) override { Keep(TKind::Message, text); }

    // Shows everything kept on port, in order, and forgets it.
    void Replay(TPort& port);

private:
    enum class TKind : std::uint8_t { Clear, Line, Counter, Message };
    struct TEvent {
        TKind Kind;
        TCounter Counter;
        std::size_t Begin; // the text, in Texts_
        std::size_t Size;
    };
    void Keep(TKind kind, std::string_view text, TCounter counter = TCounter::Script);

    std::vector<TEvent> Events_;
    std::string Texts_; // every kept text back to back: no allocation per line
};

} // namespace dialoscope
