#pragma once
// The re2c-generated baseline scanner: the tokens of a dialog script, every one kept.

#include "peer_tokens.h"

#include <string_view>

namespace dialoscope::bench {

// Appends the tokens of bytes to tokens, ending with the end-of-file token. The byte after the
// last one, bytes.data()[bytes.size()], must be 0 (a std::string's is): the scanner stops there.
void Re2cScanTokens(std::string_view bytes, TPeerTokenList& tokens);

} // namespace dialoscope::bench
