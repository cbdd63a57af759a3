#pragma once
// Message references as the node analysis meets them: "123", "5,123" (message 123 of script
// number 5 in scripts.lst), Rnd arguments "100,105", and the marks of a node's messages.

#include "message_use.h"
#include "node_lists.h"
#include "port.h"
#include "tables.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dialoscope {

// "5,123" gives "123" when script 5 is the loaded one (scriptIndex), else "5:123"; a text
// without "," is returned unchanged. When the script number does not convert, the reference
// itself is shown in a message box and the result is empty.
std::string MsgRefText(std::string_view ref, std::int32_t scriptIndex, TPort& port);

// Every "," becomes "-": the Rnd argument "100,105" becomes the range "100-105".
std::string CommasToDashes(std::string_view text);

// Marks the messages a node uses: a range "lo-hi" marks each number with its decimal text, a
// reference into another script (with ":") marks nothing, a single number is marked with its
// text as written. Only 100..100000 have marks, so a range is clipped to that first. A
// conversion failure shows "error in <text>" (range) or "Error in number converting!" (single
// number), marks nothing and returns false.
bool MarkMsgNumbers(TNodeKeep& node, std::string_view text, TPort& port);

// The same for a part already read into its value (ReadMsgRef(text)): the value says what to
// mark; text is a single mark's text and what a message names.
bool MarkMsgNumbers(TNodeKeep& node, const TMsgRef& ref, std::string_view text, TPort& port);

// One message part of a statement: reads it into its value once, marks its messages in markIn
// (null when nothing reads the marks) and records the use (text, line and value) in lists. use
// says which statement and speaker; its Value is filled in here. A faulty part shows its message
// either way.
void UseMessagePart(TNodeKeep* markIn, TNodeListsBuilder& lists, std::string_view part,
                    std::int32_t line, TMsgUseValue use, TPort& port);

} // namespace dialoscope
