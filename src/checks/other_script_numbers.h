#pragma once
// TOtherScriptNumbers: what the message-use check asks about a reference "5:123" into another
// script of the list: is script 5 listed, is its message file there, and does it hold message
// 123. One check run answers from the message files it reads itself (TOtherScriptMessages); a
// project run shares one answer per script among all its scripts, so each message file is read
// once per project, not once per script that refers to it.

#include <cstdint>
#include <string>

namespace dialoscope {

enum class TOtherScriptState : std::uint8_t {
    NotListed, // no such line in scripts.lst, or the line names no script
    NoFile,    // listed, but its message file is not beside the loaded script (or unreadable)
    Loaded,
};

struct TOtherScriptAnswer {
    TOtherScriptState State = TOtherScriptState::NotListed;
    // The message file's name as found on disk, or as looked for (NoFile); empty when NotListed.
    std::string MsgFileName;
    bool HoldsMessage = false; // Loaded only
};

class TOtherScriptNumbers {
public:
    virtual ~TOtherScriptNumbers() = default;
    virtual TOtherScriptAnswer Ask(std::int32_t scriptNumber, std::int32_t messageNumber) = 0;
};

} // namespace dialoscope
