#pragma once
// The characters a drawing of the graph shows of a text, the same in every format (DOT, SVG,
// Mermaid, the window's map): a line break or tab is a blank, and other control bytes are left
// out, since a label is one line per box line and XML may not hold them at all.

#include <string>
#include <string_view>

namespace dialoscope {

std::string DrawnText(std::string_view text);

} // namespace dialoscope
