#pragma once
// The code page the window shows the bytes of scripts and message files in. Files keep their
// bytes: the window decodes bytes only to show them and encodes what it shows back into the very
// same bytes, so Save writes a listing unchanged whatever code page is chosen. The text layer
// does the work; this file names the View menu's code pages and speaks QString.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dialoscope {

enum class TDisplayCodePage : std::uint8_t {
    Windows1250,
    Windows1251,
    Windows1252,
    Ibm437,
    Ibm850,
    Ibm866,
    Koi8R,
    Utf8,
};

inline constexpr TDisplayCodePage DefaultDisplayCodePage = TDisplayCodePage::Windows1252;

// Every code page in the order the View menu lists them.
std::span<const TDisplayCodePage> AllCodePages();
// The menu caption: "Windows-1252", "IBM437", "KOI8-R", "UTF-8", ...
QString CodePageCaption(TDisplayCodePage page);

// The ICU converter name the core's text layer knows the code page by: "windows-1251".
std::string CodePageIcuName(TDisplayCodePage page);
// The View menu's code page of an ICU converter name, any letter case; nothing when the menu
// has no such page.
std::optional<TDisplayCodePage> DisplayCodePageNamed(std::string_view icuName);

// A byte that cannot be shown as a character of the code page (one the code page leaves
// undefined, or in UTF-8 a byte of a malformed sequence) shows as EscapeBase + byte, a character
// of the private use area, so that encoding gives the byte back.
inline constexpr char16_t EscapeBase = 0xF700;

// The bytes as text. Never fails; line breaks stay line breaks and no other byte becomes one.
QString DecodeBytes(std::string_view bytes, TDisplayCodePage page);

// The inverse of DecodeBytes: EncodeText(DecodeBytes(b, p), p) == b for all bytes b. A character
// the code page cannot write (one the user typed) becomes '?'.
std::string EncodeText(QStringView text, TDisplayCodePage page);

} // namespace dialoscope
