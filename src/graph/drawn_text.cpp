#include "drawn_text.h"

namespace dialoscope {

std::string DrawnText(std::string_view text) {
    std::string drawn;
    drawn.reserve(text.size());
    for (const char c : text) {
        if (c == '\n' || c == '\r' || c == '\t') {
            drawn += ' ';
        } else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) {
            drawn += c;
        }
    }
    return drawn;
}

} // namespace dialoscope
