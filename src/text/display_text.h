#pragma once
// Bytes as UTF-16 for a text pane, and the pane's text back into the very same bytes: a pane
// shows script and message files in the code page the user picks while files keep their bytes,
// so a listing saved from the pane is the listing that was shown, whatever the code page.
//
// A codec is immutable once made and may be used from many threads at once.

#include "text/code_page.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

// A byte that cannot be shown as a character of the code page (one the code page leaves
// undefined, one whose character would break the pane's line, or in UTF-8 a byte of a malformed
// sequence) shows as DisplayEscapeBase + byte, a character of the private use area, so that
// encoding gives the byte back.
inline constexpr char16_t DisplayEscapeBase = 0xF700;

// Written for a character the code page cannot hold (one the user typed).
inline constexpr char DisplayUnwritable = '?';

class TDisplayCodec {
public:
    // Single-byte code pages and UTF-8 show their characters; any other code page shows ASCII
    // and escapes every other byte.
    explicit TDisplayCodec(const TTextCodePage& codePage);

    // The bytes as text: at most one UTF-16 unit per byte, so out needs bytes.size() units.
    // Returns the number of units written. Line breaks stay line breaks and no other byte
    // becomes one.
    std::size_t Decode(std::string_view bytes, std::span<char16_t> out) const;
    std::u16string Decode(std::string_view bytes) const;

    // The inverse of Decode: Encode(Decode(b)) == b for all bytes b. A character the code page
    // cannot write becomes DisplayUnwritable.
    std::string Encode(std::u16string_view text) const;

private:
    void BuildByteTable(const TTextCodePage& codePage);

    bool Utf8_ = false;
    // Single-byte tables: each byte's unit, and for each unit the byte it writes (-1: none).
    std::array<char16_t, 256> ToText_{};
    std::vector<std::int16_t> FromText_;
};

} // namespace dialoscope
