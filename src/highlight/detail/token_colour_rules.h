#pragma once
// Which scheme entry paints a token in Pascal mode, the rules tried in this order:
//   a reserved word (any ASCII case)                                  Reserved
//   starting with "{", "(*" or "//"                                   Comment
//   starting with an apostrophe or a double quote                     Strings
//   one of the characters  # % ' ( ) * + , - . / : ; < = > @ [ \ ] ^ { } ~   Symbol
//   a number (IsNumberToken)                                           Number
//   anything else (a tab, "$" alone, "1.2.3", a byte from 128 up)      Identifer

#include "highlight/colors.h"

#include <string_view>

namespace dialoscope {

enum class TReservedWordCheck : bool { Skip, Check };

// With Skip the reserved-word rule is left out: the caller has asked its own handler.
TColorEntry PascalColorEntry(std::string_view token, TReservedWordCheck reservedWords);

bool IsSymbolToken(std::string_view token);

// Decimal digits, optionally after one "-"; "$" and hex digits; or digits with one "."
// (optionally after one "-"). "-", ".", "-." and "$" alone are not numbers.
bool IsNumberToken(std::string_view token);

} // namespace dialoscope
