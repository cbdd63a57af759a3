#pragma once
// Dialog order: the order translators read a script's messages in. From each dialog start in
// script order, depth first through answers and then calls (as Build Dialog Tree walks), each
// node at its first visit: its said lines in the order they stand in the node, then its
// answers; then the nodes no start reaches, in script order; then the messages no node uses,
// in file order. A message used several times appears once, at its first place, with every
// place it is used.

#include "analysis/node_lists.h"
#include "analysis/workspace.h"
#include "checks/message_entries.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace dialoscope {

// One place a message is used: a said line or an answer of a node.
struct TMessagePlace {
    std::int32_t Node = -1; // index into the workspace's Nodes
    std::int32_t Line = 0;  // script line of the statement
    TSaidKind Statement = TSaidKind::Say;
    TSpeaker Speaker = TSpeaker::None;
    std::string_view SpeakerText; // Speaker Other: the expression, "GetObjectID(14)"
    std::string_view Target;      // an answer's target node
    // A concatenation's messages, this one among them, which the player sees as one line;
    // empty when the line says one message. Literal items are left out.
    std::vector<TMsgRef> OneLine;
    // The line the player heard just before, in dialog order, as its messages: for an answer,
    // the node's last said line that is not the player's own; for a node's first said line,
    // the answer (or, for a call, the caller's line before the call) the walk came in by; else
    // the said line before. Empty at a dialog's start.
    std::vector<TMsgRef> Heard;
};

struct TOrderedMessage {
    std::int32_t Number = 0;
    std::vector<TMessagePlace> Places; // empty for a message no node uses
};

// The messages of the message file (entries kept as the analysis keeps them: the last line of
// a number) in dialog order, after Load and Analyze of ws. Uses of numbers the file lacks, of
// other scripts' messages and of literal texts are left out.
std::vector<TOrderedMessage> DialogOrder(const TWorkspace& ws, const TMessageEntries& messages);

// The nodes in the order DialogOrder visits them: reached ones first, then the rest in script
// order. Each node once. Linear in the nodes, their answers, calls and message uses.
std::vector<std::int32_t> NodesInDialogOrder(const TWorkspace& ws);

} // namespace dialoscope
