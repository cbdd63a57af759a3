#pragma once
// The listing that Analyze writes, made from a peer's token list: one line per token the pass
// reaches (column, line, kind word, text; CR LF after each), where a header section, a forward
// section or a dialog node lists only the keyword that opens it. It walks the tokens the way the
// pass does, at the same fixed distances, but collects nothing: only where each section and node
// ends matters to the listing.

#include "peer_tokens.h"

#include <cstdio>

namespace dialoscope::bench {

// Writes the listing of tokens to out.
void WritePeerListing(const TPeerTokenList& tokens, std::FILE* out);

} // namespace dialoscope::bench
