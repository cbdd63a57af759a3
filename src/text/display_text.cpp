#include "display_text.h"

#include "detail/utf8.h"

#include <unicode/utf16.h>

namespace dialoscope {

using namespace text_detail;

namespace {

char16_t EscapeOf(unsigned char byte) {
    return static_cast<char16_t>(DisplayEscapeBase + byte);
}

bool IsEscape(char32_t c) {
    return c >= DisplayEscapeBase && c <= DisplayEscapeBase + 0xFFu;
}

// Characters a text pane turns into a line or paragraph break (or a frame mark) when they are
// inserted: shown as themselves they would split one pane line into two and a save would then
// write a line break the input did not hold.
bool BreaksPaneLine(char32_t c) {
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1;
}

// The unit a byte shows as when it stands for itself, or nothing when it needs an escape: the
// code page leaves it undefined or maps it beyond the basic plane, or a line break would stand
// for another byte.
std::optional<char16_t> ShownUnitOf(const TTextCodePage& codePage, unsigned char byte) {
    std::optional<char32_t> c;
    if (codePage.IsSingleByte()) {
        c = codePage.CharOf(byte);
    } else if (byte < 0x80) {
        c = byte;
    }
    if (!c || *c > 0xFFFF || IsEscape(*c) || (BreaksPaneLine(*c) && *c != byte)) {
        return std::nullopt;
    }
    return static_cast<char16_t>(*c);
}

std::size_t AppendEscapes(std::string_view bytes, char16_t* out) {
    for (const char byte : bytes) {
        *out++ = EscapeOf(static_cast<unsigned char>(byte));
    }
    return bytes.size();
}

std::size_t DecodeUtf8(std::string_view bytes, char16_t* const start) {
    char16_t* out = start;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t from = pos;
        const UChar32 c = NextCodePoint(bytes, pos);
        // Every ASCII byte, line breaks included, shows as itself.
        if (c < 0x80 && c >= 0) {
            *out++ = static_cast<char16_t>(c);
            continue;
        }
        // A real private-use character of the escape range is written as escapes too, so that
        // every escape in the text stands for a byte.
        if (c < 0 || IsEscape(static_cast<char32_t>(c)) ||
            BreaksPaneLine(static_cast<char32_t>(c))) {
            out += AppendEscapes(bytes.substr(from, pos - from), out);
        } else if (U_IS_BMP(c)) {
            *out++ = static_cast<char16_t>(c);
        } else {
            *out++ = static_cast<char16_t>(U16_LEAD(c));
            *out++ = static_cast<char16_t>(U16_TRAIL(c));
        }
    }
    return static_cast<std::size_t>(out - start);
}

std::string EncodeUtf8(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (IsEscape(c)) {
            bytes += static_cast<char>(c - DisplayEscapeBase);
        } else if (!U16_IS_SURROGATE(c)) {
            AppendUtf8(bytes, c);
        } else if (U16_IS_LEAD(c) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1])) {
            AppendUtf8(bytes, U16_GET_SUPPLEMENTARY(c, text[i + 1]));
            ++i;
        } else {
            bytes += DisplayUnwritable;
        }
    }
    return bytes;
}

} // namespace

TDisplayCodec::TDisplayCodec(const TTextCodePage& codePage) : Utf8_(codePage.IsUtf8()) {
    if (!Utf8_) {
        BuildByteTable(codePage);
    }
}

void TDisplayCodec::BuildByteTable(const TTextCodePage& codePage) {
    FromText_.assign(0x10000, -1);
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        std::optional<char16_t> unit = ShownUnitOf(codePage, byte);
        // A character already taken by another byte would not say which byte to write back.
        if (unit && FromText_[*unit] >= 0) {
            unit.reset();
        }
        const char16_t shown = unit ? *unit : EscapeOf(byte);
        ToText_[byte] = shown;
        FromText_[shown] = static_cast<std::int16_t>(byte);
    }
    for (int b = 0; b < 256; ++b) {
        FromText_[EscapeOf(static_cast<unsigned char>(b))] = static_cast<std::int16_t>(b);
    }
}

std::size_t TDisplayCodec::Decode(std::string_view bytes, std::span<char16_t> out) const {
    if (Utf8_) {
        return DecodeUtf8(bytes, out.data());
    }
    char16_t* unit = out.data();
    for (const char byte : bytes) {
        *unit++ = ToText_[static_cast<unsigned char>(byte)];
    }
    return bytes.size();
}

std::u16string TDisplayCodec::Decode(std::string_view bytes) const {
    std::u16string text(bytes.size(), u'\0');
    text.resize(Decode(bytes, text));
    return text;
}

std::string TDisplayCodec::Encode(std::u16string_view text) const {
    if (Utf8_) {
        return EncodeUtf8(text);
    }
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::int16_t byte = FromText_[text[i]];
        if (byte >= 0) {
            bytes += static_cast<char>(byte);
            continue;
        }
        // A character outside the basic plane is one character typed, one '?' written.
        if (U16_IS_LEAD(text[i]) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1])) {
            ++i;
        }
        bytes += DisplayUnwritable;
    }
    return bytes;
}

} // namespace dialoscope
