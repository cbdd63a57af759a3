#include "pipeline/detail/deferred_port.h"

namespace dialoscope {

void TDeferredPort::CounterChanged(TCounter counter, std::string_view caption) {
    Keep(TKind::Counter, caption, counter);
}

void TDeferredPort::Keep(TKind kind, std::string_view text, TCounter counter) {
    Events_.push_back(TEvent{kind, counter, Texts_.size(), text.size()});
    Texts_.append(text);
}

void TDeferredPort::Replay(TPort& port) {
    for (const TEvent& event : Events_) {
        const std::string_view text = std::string_view(Texts_).substr(event.Begin, event.Size);
        switch (event.Kind) {
        case TKind::Clear:
            port.ClearOutput();
            break;
        case TKind::Line:
            port.AppendOutput(text);
            break;
        case TKind::Counter:
            port.CounterChanged(event.Counter, text);
            break;
        case TKind::Message:
            port.ShowMessage(text);
            break;
        }
    }
    Events_.clear();
    Texts_.clear();
}

} // namespace dialoscope
