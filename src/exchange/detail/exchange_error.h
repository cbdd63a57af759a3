#pragma once
// EExchangeError: a translators' file (PO, CSV, XLSX) that cannot be read, written or applied.
// what() names the file, and the line where there is one.

#include "analysis/errors.h"

#include <cstdint>
#include <string>

namespace dialoscope {

class EExchangeError : public EDialoscopeError {
public:
    explicit EExchangeError(const std::string& text) : EDialoscopeError(text) {}
    // "FILE:LINE: TEXT", or "FILE: TEXT" when line is 0.
    EExchangeError(const std::string& file, std::int32_t line, const std::string& text)
        : EDialoscopeError(Place(file, line).append(": ").append(text)) {}

private:
    // Appended piece by piece: GCC 12 warns falsely on a chain of "..." + std::string.
    static std::string Place(const std::string& file, std::int32_t line) {
        std::string place = file;
        if (line > 0) {
            place.append(":").append(std::to_string(line));
        }
        return place;
    }
};

} // namespace dialoscope
