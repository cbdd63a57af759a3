#pragma once
// Stepping through UTF-8 and writing it, as the text layer's files all need. A malformed
// sequence is one step of its own (its longest ill-formed prefix, as ICU and the Unicode
// standard define it), so a text always ends and every byte is read once.

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dialoscope::text_detail {

inline constexpr std::string_view Utf8Replacement = "\xEF\xBF\xBD";

// The code point starting at pos, or a negative value for a malformed sequence; pos moves past
// what was read (at least one byte).
inline UChar32 NextCodePoint(std::string_view utf8, std::size_t& pos) {
    const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data()) + pos;
    if (*s < 0x80) {
        ++pos;
        return *s;
    }
    // A sequence is at most four bytes long; ICU's offsets stay small whatever the text's size.
    const auto window = static_cast<int32_t>(std::min<std::size_t>(utf8.size() - pos, 4));
    int32_t used = 0;
    UChar32 c = 0;
    U8_NEXT(s, used, window, c);
    pos += static_cast<std::size_t>(used);
    return c;
}

// c must be a valid code point (not a surrogate).
inline void AppendUtf8(std::string& out, UChar32 c) {
    std::array<std::uint8_t, U8_MAX_LENGTH> buffer{};
    int32_t length = 0;
    U8_APPEND_UNSAFE(buffer.data(), length, c);
    out.append(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(length));
}

// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
inline void AppendUtf16AsUtf8(std::string& out, std::u16string_view units) {
    const auto length = static_cast<int32_t>(units.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U16_NEXT(units.data(), i, length, c);
        if (U_IS_SURROGATE(c)) {
            out += Utf8Replacement;
        } else {
            AppendUtf8(out, c);
        }
    }
}

} // namespace dialoscope::text_detail
