#pragma once
// What the peers' listing programs share: read the script named on the command line, scan it
// with the peer's scanner and write its listing to standard output, so that each peer and
// dialoscope-cli listing can be timed side by side as whole processes.

#include "peer_tokens.h"

#include <string_view>

namespace dialoscope::bench {

// Fills tokens with the tokens of bytes; bytes.data()[bytes.size()] is a 0 byte.
using TPeerScan = void (*)(std::string_view bytes, TPeerTokenList& tokens);

// usage: PROGRAM SCRIPT. Returns the exit status: 0, 1 when the script cannot be read, 2 on
// wrong usage.
int RunPeerListing(int argc, char** argv, TPeerScan scan);

} // namespace dialoscope::bench
