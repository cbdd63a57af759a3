#pragma once
// The window's commands without a window: each loads SCRIPT, analyses it, does what its button
// does and writes to standard output exactly the bytes that the window's Save or Tree Save would
// write for the result. Message boxes go to standard error, one line each; an error that ends the
// command is the last line there, with exit status 1.

#include "cli_call.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dialoscope {

int RunListing(const TCliCall& call);  // the token listing, streamed as it is made
int RunGeneral(const TCliCall& call);  // the General View tree
int RunDialogs(const TCliCall& call);  // the Dialogs Tree
int RunFindMsg(const TCliCall& call);  // the nodes that use message number call.Arg
int RunFindNode(const TCliCall& call); // the nodes that lead to node call.Arg
int RunNodeText(const TCliCall& call); // the source text of node call.Arg
int RunHeader(const TCliCall& call);   // the five counters, one per line

// find-msg's N: a decimal integer, clamped to 32 bits (Find Msg clamps it further itself).
std::optional<std::int32_t> ParseMessageNumber(const std::string& text);

} // namespace dialoscope
