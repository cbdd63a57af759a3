#pragma once
// The token listing of Analyze: one line per listed token, "column line kind text" with the
// column and line padded to 5 characters and the kind as a 12-character word.

#include "analysis/workspace.h"

#include "scanner/token.h"

#include <string>
#include <string_view>

namespace dialoscope {

// "comment     ", "end of file ", ..., "string      ": always 12 characters.
std::string_view KindWord(TTokenKind kind);

// The listing line of a token, written into line (reused, to spare an allocation per token).
void FormatListingLine(const TTokenView& token, std::string& line);

// Appends the listing line to the output pane. A token text holding a line break (a "$" before
// a line end) makes the line two pane lines.
void AppendListingLine(TPort& port, const TTokenView& token, std::string& line);

} // namespace dialoscope
