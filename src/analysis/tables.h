#pragma once
// The analysis tables: node records, the Dialogs Tree's visited set, the message table and the
// script list. They grow as needed: no input writes outside a table or stops with a capacity
// error.

#include "line_store.h"
#include "msg_marks.h"
#include "msg_number_map.h"
#include "name_table.h"
#include "node_lists.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

// Message numbers a node can mark: marks outside this range are not stored.
inline constexpr std::int32_t MsgUsedLow = TMsgMarks::Low;
inline constexpr std::int32_t MsgUsedHigh = TMsgMarks::High;

class TNodeBodyIndex;

// Lines First..Last of a line store; none when Last < First.
struct TLineRange {
    const TLineStore* Lines = nullptr;
    std::int32_t First = 0;
    std::int32_t Last = -1;
};

// One dialog node: a script function with a body.
struct TNodeKeep {
    std::string Name;
    std::int32_t Line = 0; // script line of the node's "function" token, 0 when unknown
    // Where the node's source comes from: the script's lines as Analyze read them, found through
    // the index that Analyze shares among its nodes and builds only when a text is first asked
    // for; or, for records not made by Analyze, a text of their own.
    std::shared_ptr<TNodeBodyIndex> Bodies;
    TLineStore OwnBody;
    // Lines, Answers, Jumps (with the script line of each call) and every message part the node
    // analysis met, in order.
    TNodeLists Lists;
    // The marks of the messages the node uses, only for numbers in MsgUsedLow..MsgUsedHigh.
    TMsgMarks MsgUsed;

    std::int32_t LineCount() const { return Lists.LineCount(); }
    // The node's source lines.
    TLineRange BodyLines() const;
    // The node's source lines, each followed by CR LF.
    std::string Body() const;
    // A source text of its own, for records not made by Analyze.
    void SetBody(std::string text);
    std::int32_t AnswerCount() const { return Lists.AnswerCount(); }
    std::int32_t JumpCount() const { return Lists.JumpCount(); }
    // The mark for message n, empty when none.
    std::string MsgMark(std::int32_t n) const;
    // Stores a mark; numbers outside MsgUsedLow..MsgUsedHigh have no slot and are ignored.
    void SetMsgMark(std::int32_t n, std::string_view text);
    // Marks every number of lo..hi (clipped to MsgUsedLow..MsgUsedHigh) with its decimal text.
    void SetMsgRange(std::int32_t lo, std::int32_t hi);
    // Gives back the room the marks grew into. The analysis adds them one at a time, and a big
    // script keeps a few hundred thousand nodes, so that room would be a sizeable share of its
    // memory.
    void ShrinkToFit();
};

// The names already met under one Dialogs Tree root. Exact, case-sensitive comparison. The
// set keeps views, not copies: the names are the node records' and the root's own, which a
// branch walk reads only while they are unchanged, and the set lives no longer than the walk.
struct TTreeKeep {
    TNameTable Index; // name -> 1
    std::int32_t Count() const { return static_cast<std::int32_t>(Index.Size()); }
};

// Adds name when no stored name equals it; true when it was added.
bool AddUnique(TTreeKeep& set, std::string_view name);

// Message texts by number, from the script's message file. The texts are views into the
// message file's lines, which the table shares (Source), so they live as long as the table or a
// copy of it, whatever later happens to the lines they were read from.
struct TMsgKeepArray {
    TMsgNumberMap Msg;
    TLineStore Source;
    std::int32_t MaxNum = 0;
    std::string_view Text(std::int32_t n) const;
};

// Script names by line of scripts.lst (index 0 is line 1).
struct TIntKeepArray {
    std::vector<std::string> Names;
    std::int32_t Count() const { return static_cast<std::int32_t>(Names.size()); }
};

} // namespace dialoscope
