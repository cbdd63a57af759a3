#pragma once
// The integer conversion of message numbers, script numbers and number lists: leading blanks,
// an optional sign, then decimal digits or hexadecimal digits after "$", "x", "X", "0x" or "0X".
// Decimal values must fit a signed 32-bit integer; hexadecimal values go up to FFFFFFFF and
// wrap to negative above 7FFFFFFF. Anything else (an empty text, trailing blanks, a stray
// character) does not convert.

#include <cstdint>
#include <optional>
#include <string_view>

namespace dialoscope {

// Empty when text does not convert.
std::optional<std::int32_t> TryStrToInt(std::string_view text);

// Throws EConvertError(text) when text does not convert.
std::int32_t StrToInt(std::string_view text);

} // namespace dialoscope
