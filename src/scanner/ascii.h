#pragma once
// ASCII letter case: only a-z and A-Z fold, every other byte (accented letters of any code page
// included) stays as it is. Keywords, comment markers, scripts.lst names, file names and "did
// you mean" all follow this one rule.

#include <cstddef>
#include <string>
#include <string_view>

namespace dialoscope {

constexpr unsigned char AsciiUpper(unsigned char byte) {
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - ('a' - 'A')) : byte;
}
constexpr unsigned char AsciiLower(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}
constexpr char AsciiUpper(char c) {
    return static_cast<char>(AsciiUpper(static_cast<unsigned char>(c)));
}
constexpr char AsciiLower(char c) {
    return static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
}

// The value of an ASCII hexadecimal digit (0-9, a-f, A-F), -1 for any other byte.
constexpr int AsciiHexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// text with A-Z lowered.
std::string AsciiLowerCase(std::string_view text);

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// Byte order after lowering A-Z; a prefix comes first.
bool LessIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace dialoscope
