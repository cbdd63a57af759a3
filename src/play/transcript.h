#pragma once
// A walk as text, the way the command line prints it and the window saves it: a note that
// conditions are not evaluated, then each position's lines and choices, the choice taken and
// where it led. UTF-8, lines ending in LF.
//
//     Greeting (line 18)
//       Self: 100 Halt! State your business at the north gate of Millbrook.
//       asks: 101 Well? I haven't got all day.
//       1. 102 Tell me about the town. -> AskTown
//       2. goes on to NoMoney (called in the code, line 49)
//       the dialog ends here
//     > 1. 102 Tell me about the town. -> AskTown

#include "play_script.h"
#include "play_walk.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dialoscope {

inline constexpr std::string_view ConditionsNote =
    "Conditions in the code are not evaluated: every answer and call is offered.";

struct TTranscriptStyle {
    // The message texts beside their numbers, and a non-empty middle field after its text as
    // "[middle: grd_halt]".
    bool Texts = false;
};

// A position's lines and choices, each line indented by two blanks, the name line first.
std::string NodeViewText(const TPlayNodeView& view, TTranscriptStyle style);

// A choice as listed, without indent or line end: "1. 102 Tell me about the town. -> AskTown";
// number is 1-based.
std::string ChoiceText(const TPlayChoice& choice, std::int32_t number, TTranscriptStyle style);

// The note, then the start's view, then for each step the choice taken and the view it led to
// (or that it led to no node), a blank line between positions.
std::string TranscriptText(const TPlayScript& script, const TPlayWalk& walk,
                           TTranscriptStyle style);

} // namespace dialoscope
