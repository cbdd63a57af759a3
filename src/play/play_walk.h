#pragma once
// TPlayWalk: one walk through a dialog as a value the window or the command line drives: where
// it started, the choices taken, the current position. Choose moves on, Back undoes the last
// step, Restart goes back to the start. A choice whose target names no node is kept as a step
// that leads nowhere, so the transcript can say so, and the position stays where it was. The walk
// follows the user and nothing else, so a dialog that loops forever loops only as far as asked.

#include "play_script.h"

#include <cstdint>
#include <vector>

namespace dialoscope {

struct TPlayStep {
    std::int32_t From = -1;   // the node the choice was offered at
    std::int32_t Choice = -1; // 0-based among From's choices (answers, then calls)
    std::int32_t To = -1;     // the node it led to; -1 when its target names no node
    bool operator==(const TPlayStep&) const = default;
};

enum class TChooseOutcome : std::uint8_t {
    Moved,      // the position is the choice's target
    NotOffered, // no such choice at the position; nothing changed
    NoNode,     // the target names no node; the step is kept, the position stays
};

class TPlayWalk {
public:
    TPlayWalk() = default; // not started: Position() is -1 and nothing can be chosen
    explicit TPlayWalk(std::int32_t start) : Start_(start) {}

    bool IsStarted() const { return Start_ >= 0; }
    std::int32_t Start() const { return Start_; }
    // The node the walk stands at; -1 when not started.
    std::int32_t Position() const;
    const std::vector<TPlayStep>& Steps() const { return Steps_; }

    // choice: 0-based below script.ChoiceCount(Position()).
    TChooseOutcome Choose(const TPlayScript& script, std::int32_t choice);
    // Undoes the last step; false when there is none.
    bool Back();
    // Back to the start, every step undone.
    void Restart() { Steps_.clear(); }

    bool operator==(const TPlayWalk&) const = default;

private:
    std::int32_t Start_ = -1;
    std::vector<TPlayStep> Steps_;
};

} // namespace dialoscope
