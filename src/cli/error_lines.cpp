#include "error_lines.h"

#include "analysis/errors.h"

#include <new>

namespace dialoscope {

std::string ErrorLines(const std::exception& error, std::string_view doing) {
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return doing.empty() ? "out of memory\n"
                             : "out of memory while " + std::string(doing) + "\n";
    }
    std::string lines = std::string(error.what()) + "\n";
    if (const auto* write = dynamic_cast<const EWriteError*>(&error)) {
        if (const std::string detail = WriteErrorDetail(*write); !detail.empty()) {
            lines += detail + "\n";
        }
    }
    return lines;
}

} // namespace dialoscope
