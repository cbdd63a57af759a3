#include "graph_texts.h"

namespace dialoscope::graph_detail {

TGraphTexts::TGraphTexts(const TLineStore& messageLines, const TUtf8Decoder& toUtf8)
    : Entries_(ReadMessageEntries(messageLines)), ToUtf8_(toUtf8) {}

std::optional<std::string> TGraphTexts::TextOf(const TMsgRef& ref) const {
    if (ref.Kind != TMsgRefKind::Single && ref.Kind != TMsgRefKind::Range) {
        return std::nullopt;
    }
    const TMessageEntry* entry =
        Entries_.Find(ref.Kind == TMsgRefKind::Range ? ref.First() : ref.Number);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return ToUtf8_(entry->Text);
}

} // namespace dialoscope::graph_detail
