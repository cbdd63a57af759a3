#pragma once
// The message part of a caption ("say =101", "answer =104 105", "say =100-105",
// "say =5:123", "SayWOAnswer =100 abc") read back into its items, for what has only a caption
// (a tree item's shown text and tool tip); the node records keep their uses as values.

#include "analysis/message_use.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace dialoscope {

using TMsgItemKind = TMsgRefKind;

struct TMsgItem {
    TMsgItemKind Kind = TMsgItemKind::Literal;
    std::string_view Text;   // the item as captioned
    std::int32_t Number = 0; // Single: the number; Range: the low end; OtherScript: the message
    std::int32_t High = 0;   // Range: the high end
    std::int32_t Script = 0; // OtherScript: the script number
};

// The message text that follows the caption's head ("say =", "write =", "SayWOAnswer =",
// "SayForAnswer =", "answer ="); false for every other caption (node names, "answers", "Dialog",
// "@Name").
bool SplitMessageCaption(std::string_view caption, std::string_view& part);

// The items of a message part, split at each blank. The first item is always a message
// reference; a later one that reads as a number is taken as a GetStr item (a string literal
// that reads as a number cannot be told apart from it in the caption). Empty items between
// adjacent blanks are kept, so joining the items with blanks gives the message text back.
std::vector<TMsgItem> ReadMessagePart(std::string_view part);

} // namespace dialoscope
