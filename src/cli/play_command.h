#pragma once
// dialoscope-cli play: a walk through one script's dialog as a transcript, from a dialog start
// (or a chosen node) along the choices given, or the shortest way to a node; saved as named
// steps and replayed.

#include "cli_call.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace dialoscope {

// --choose's list "1,2,3": numbers of 1 and more parted by commas; nothing when it is not one.
std::optional<std::vector<std::int32_t>> ParseChoices(std::string_view text);

// Writes the transcript to standard output. Exit status 1, with the reason as the last line on
// standard error: the script cannot be loaded or analysed, the start or --to names no node,
// --to's node is not reachable, a choice is not offered (the choices that were are in the
// transcript and named in the reason), the saved walk stops early. The walk is saved only when
// it ends well.
int RunPlayCommand(const TCliCall& call);

} // namespace dialoscope
