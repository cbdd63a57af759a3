#pragma once
// One token of a scan: its kind, its text and where it starts.

#include <cstdint>
#include <string>
#include <string_view>

namespace dialoscope {

// The numeric values are part of the file formats: the listing prints the kind words in this
// order and fuzzers/tests compare by value.
enum class TTokenKind : std::uint8_t {
    Comment = 0,
    EndOfFile = 1,
    Error = 2,
    HexNumber = 3,
    Identifier = 4,
    Integer = 5,
    Keyword = 6,
    Real = 7,
    SpecialChar = 8,
    String = 9,
};

// The working token handed to an OnTokenRead handler: it owns its text so that a handler may
// change it. The handler must not keep a reference: the scanner reuses one working token.
struct TToken {
    TTokenKind Kind = TTokenKind::EndOfFile;
    std::string Text;
    std::int32_t Offset = 0; // 0-based byte offset of the first character
    std::int32_t Line = 1;   // 1-based
    std::int32_t Column = 1; // 1-based; every byte, a tab included, is one column
    std::int32_t Data = 0;   // for the handler's own use; the scanner sets 0
};

// A read-only view of a token kept in the scanner's list. Text points into the scanned bytes
// (or into the scanner's own store) and stays valid until the list is cleared.
struct TTokenView {
    TTokenKind Kind = TTokenKind::EndOfFile;
    std::string_view Text;
    std::int32_t Offset = 0;
    std::int32_t Line = 1;
    std::int32_t Column = 1;
    std::int32_t Data = 0;
};

} // namespace dialoscope
