#include "standard_error_sink.h"

#include <cstdio>

namespace dialoscope {

void WriteErrorLine(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
}

} // namespace dialoscope
