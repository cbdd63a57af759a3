#pragma once
// A code page named as ICU names its converters ("windows-1252", "windows-1251", "ibm-866",
// "KOI8-R", "UTF-8", ...): message texts go from its bytes to UTF-8 and back. Decoding never
// fails but says which bytes the code page leaves undefined; encoding refuses a text the code
// page cannot hold instead of changing it, so a text written back is the text that was read.
//
// An object is immutable once made and may be used from many threads at once. Making one asks
// ICU for the whole byte table of a single-byte code page, so make it once and share it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// ICU's converter, named here so that the header needs no ICU include.
struct UConverter;

namespace dialoscope {

// A code page name ICU does not know: "Unknown code page 'xyz'".
class ECodePageError : public std::runtime_error {
public:
    explicit ECodePageError(const std::string& name)
        : std::runtime_error("Unknown code page '" + name + "'"), Name(name) {}
    std::string Name;
};

inline constexpr std::string_view DefaultCodePageName = "windows-1252";

enum class TEncodeFailure : std::uint8_t {
    UnwritableCharacter, // a character no byte sequence of the code page stands for
    InvalidUtf8,         // the input is not UTF-8 at this place
};

// The first place a text could not be encoded.
struct TEncodeRefusal {
    TEncodeFailure Failure = TEncodeFailure::UnwritableCharacter;
    std::size_t Offset = 0;      // byte offset in the UTF-8 input where the character starts
    char32_t CodePoint = 0xFFFD; // the refused character; U+FFFD for invalid UTF-8
};

struct TEncodeResult {
    std::string Bytes;                     // the encoded text; empty when refused
    std::optional<TEncodeRefusal> Refusal; // set when the text was refused

    bool IsEncoded() const { return !Refusal.has_value(); }
};

class TTextCodePage {
public:
    // Throws ECodePageError when ICU has no converter of that name.
    explicit TTextCodePage(std::string_view name = DefaultCodePageName);

    // The name as given, for messages and for making the same code page again.
    const std::string& Name() const { return Name_; }
    // Every byte is one character, so CharOf describes the whole code page.
    bool IsSingleByte() const { return SingleByte_; }
    bool IsUtf8() const { return Utf8_; }
    // Why texts encoded in this code page cannot be written into a message file, or nothing
    // when they can. A message file is single-byte text whose braces, digits and line ends are
    // ASCII bytes: a code page that writes a character as several bytes (UTF-16 writes a byte
    // order mark and zero bytes; UTF-32, BOCU-1 and the stateful ones worse) or that writes
    // ASCII otherwise (EBCDIC) would break its lines. UTF-8 is the one multi-byte code page
    // allowed: it writes ASCII as itself and every other character in bytes from 80 up.
    std::optional<std::string> WhyNotForMessageFiles() const;

    // The bytes as UTF-8. A byte (or, in a multi-byte code page, a byte sequence) the code page
    // leaves undefined becomes U+FFFD; the second form also gives the byte offsets where such
    // bytes start, in order (its vector is cleared first).
    std::string ToUtf8(std::string_view bytes) const;
    std::string ToUtf8(std::string_view bytes, std::vector<std::size_t>& undefinedOffsets) const;

    // The UTF-8 text in the code page's bytes, or the first character it cannot hold (or the
    // first place that is not UTF-8) and no bytes. In a single-byte code page and in UTF-8,
    // FromUtf8(ToUtf8(b)) gives b back whenever ToUtf8 reported no undefined byte in b; a byte
    // ICU reads only one way counts as undefined for that reason.
    TEncodeResult FromUtf8(std::string_view utf8) const;

    // Single-byte code pages only: the character a byte stands for, or nothing when the code
    // page leaves the byte undefined.
    std::optional<char32_t> CharOf(unsigned char byte) const;

private:
    void ReadByteTable(UConverter* converter);
    std::string DecodeSingleByte(std::string_view bytes, std::vector<std::size_t>* undefined) const;
    TEncodeResult EncodeSingleByte(std::string_view utf8) const;
    std::optional<unsigned char> ByteOf(char32_t c) const;

    std::string Name_;
    std::string IcuName_; // ICU's own name, to open a converter for each multi-byte call
    bool SingleByte_ = false;
    bool Utf8_ = false;
    // Single-byte code pages: each byte's character, as a code point and as UTF-8 (length 0
    // when undefined), and the characters sorted for encoding.
    std::array<std::optional<char32_t>, 256> ByteChars_;
    std::array<std::array<char, 4>, 256> ByteUtf8_{};
    std::array<std::uint8_t, 256> ByteUtf8Length_{};
    std::vector<std::pair<char32_t, unsigned char>> CharBytes_;
    // The byte of each character below U+0800 (-1: none), so that the usual text of a code page
    // (Latin, Greek, Cyrillic, Hebrew, Arabic) is encoded without a search: the language server
    // encodes a whole open file at every change.
    std::array<std::int16_t, 0x800> LowCharBytes_{};
};

} // namespace dialoscope
