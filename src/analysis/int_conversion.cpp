#include "int_conversion.h"

#include "errors.h"

#include "scanner/ascii.h"

#include <limits>
#include <string>

namespace dialoscope {

namespace {

// The length of a hexadecimal prefix at the start of digits, 0 when there is none.
std::size_t HexPrefixLength(std::string_view digits) {
    if (digits.empty()) {
        return 0;
    }
    if (digits[0] == '$' || digits[0] == 'x' || digits[0] == 'X') {
        return 1;
    }
    if (digits.size() >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        return 2;
    }
    return 0;
}

// Magnitude of a digit string in base 10 or 16, with its own limit; empty on any stray
// character, no digit at all, or a value above limit.
std::optional<std::uint64_t> ParseMagnitude(std::string_view digits, int base,
                                            std::uint64_t limit) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = AsciiHexDigitValue(c);
        if (digit < 0 || digit >= base) {
            return std::nullopt;
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > limit) {
            return std::nullopt;
        }
    }
    return value;
}

// The common case: nothing but up to nine decimal digits, which cannot overflow. Empty when the
// text is anything else, which the full reading then takes.
std::optional<std::int32_t> PlainDecimal(std::string_view text) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
    if (const auto plain = PlainDecimal(text)) {
        return plain;
    }
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::string_view digits = text.substr(i);
    const std::size_t prefix = HexPrefixLength(digits);
    std::uint32_t bits = 0;
    if (prefix > 0) {
        const auto value = ParseMagnitude(digits.substr(prefix), 16, 0xFFFFFFFFull);
        if (!value) {
            return std::nullopt;
        }
        bits = static_cast<std::uint32_t>(*value);
    } else {
        // The magnitude of the most negative value is one more than the largest positive one.
        const std::uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
        const auto value = ParseMagnitude(digits, 10, limit);
        if (!value) {
            return std::nullopt;
        }
        bits = static_cast<std::uint32_t>(*value);
    }
    if (negative) {
        bits = 0u - bits; // two's complement, so "-$80000000" and "-2147483648" stay in range
    }
    return static_cast<std::int32_t>(bits);
}

std::int32_t StrToInt(std::string_view text) {
    const auto value = TryStrToInt(text);
    if (!value) {
        throw EConvertError(std::string(text));
    }
    return *value;
}

} // namespace dialoscope
