#pragma once
// Who says each message, as stats counts words by speaker: the speaker of the message's first
// use, with the nodes in script order and each node's uses as the analysis records them. Only
// the numbers the message file holds count: a range counts each of them; a message of another
// script and a literal text count nowhere here.

#include "analysis/workspace.h"
#include "checks/message_entries.h"

#include <cstdint>
#include <string>
#include <unordered_map>

namespace dialoscope {

// "Self", "Player", or a Say's speaker expression as its bytes stand in the script. Only Say
// names a speaker: the other said lines are Self's, answers the Player's.
std::string SpeakerName(TSpeaker speaker, std::string_view speakerText, TSaidKind statement);

// The speaker of each used message, by number.
std::unordered_map<std::int32_t, std::string> SpeakersByMessage(const TWorkspace& ws,
                                                                const TMessageEntries& messages);

} // namespace dialoscope
