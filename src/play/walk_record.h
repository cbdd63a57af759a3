#pragma once
// A walk saved as text: its start and each step it took, named by the node the step was taken at
// and the target of its answer or call, never by position, so a walk still replays after answers
// are added, removed or reordered elsewhere. Replaying stops at the first step the script no
// longer has and says which and why.
//
//     # a dialog walk: the start, then one step a line: answer|call NODE -> TARGET
//     start Greeting
//     answer Greeting -> AskTown
//     call PayToll -> NoMoney
//
// Of several answers of one node with one target the first is taken. A step that led to no node
// is not saved: it did not move the walk.

#include "play_script.h"
#include "play_walk.h"

#include "analysis/errors.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dialoscope {

// A saved walk that is not one: "FILE:LINE: not a step of a saved walk: TEXT".
class EWalkRecordError : public EDialoscopeError {
public:
    EWalkRecordError(const std::string& file, std::int32_t line, std::string_view text);
    std::int32_t Line = 0;
};

// The walk as saved, lines ending in LF; the names are the script's bytes.
std::string WalkRecordText(const TPlayScript& script, const TPlayWalk& walk);

struct TReplay {
    TPlayWalk Walk;                  // as far as the script still has the steps
    std::optional<std::string> Stop; // why it stopped early: "FILE:LINE: ..."; none when whole
};

// Throws EWalkRecordError for a line that is no start or step; fileName only names it in texts.
TReplay ReplayWalk(const TPlayScript& script, std::string_view recordText,
                   const std::string& fileName);

} // namespace dialoscope
