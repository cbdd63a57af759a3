#pragma once
// The flex-generated baseline scanner: the tokens of a dialog script, every one kept.

#include "peer_tokens.h"

#include <string_view>

namespace dialoscope::bench {

// Appends the tokens of bytes to tokens, ending with the end-of-file token.
void FlexScanTokens(std::string_view bytes, TPeerTokenList& tokens);

} // namespace dialoscope::bench
