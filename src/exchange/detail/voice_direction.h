#pragma once
// A direction for a recorded line, taken from the script's comments: the comment on the line's
// own script line, else the comment lines standing alone right above it (a block comment's
// lines, or several line comments, joined by blanks). A comment that ends a statement on the
// line above belongs to that statement, not to this one.

#include "scanner/scanner.h"

#include <cstdint>
#include <string>

namespace dialoscope {

// The direction for script line, in the script's bytes; empty when there is none.
std::string DirectionAt(const TScanner& scanner, std::int32_t line);

} // namespace dialoscope
