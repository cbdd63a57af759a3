#include "play_walk.h"

namespace dialoscope {

std::int32_t TPlayWalk::Position() const {
    if (Steps_.empty()) {
        return Start_;
    }
    const TPlayStep& last = Steps_.back();
    return last.To >= 0 ? last.To : last.From;
}

TChooseOutcome TPlayWalk::Choose(const TPlayScript& script, std::int32_t choice) {
    const std::int32_t at = Position();
    if (at < 0 || choice < 0 || choice >= script.ChoiceCount(at)) {
        return TChooseOutcome::NotOffered;
    }
    const std::int32_t to = script.ChoiceTarget(at, choice);
    Steps_.push_back({at, choice, to});
    return to >= 0 ? TChooseOutcome::Moved : TChooseOutcome::NoNode;
}

bool TPlayWalk::Back() {
    if (Steps_.empty()) {
        return false;
    }
    Steps_.pop_back();
    return true;
}

} // namespace dialoscope
