#pragma once
// The --code-page option of dialoscope-cli: "auto" or a code page the text layer knows
// ("windows-1252", "windows-1251", "KOI8-R", "UTF-8", ...), and message texts decoded through
// it for the formats that carry Unicode (JSON).

#include "text/code_page.h"

#include <map>
#include <string>
#include <string_view>

namespace dialoscope {

inline constexpr std::string_view AutoCodePage = "auto";

// Whether name is "auto" or a code page ICU can decode.
bool IsKnownCodePageName(const std::string& name);

// Bytes of one code page as UTF-8; a byte the code page leaves undefined becomes U+FFFD. With
// "auto" each text is read as UTF-8 when it is valid UTF-8, else in the single-byte code page
// ICU's detector is sure of, else in windows-1252.
class TTextDecoder {
public:
    // name must be known (IsKnownCodePageName).
    explicit TTextDecoder(const std::string& name);

    std::string ToUtf8(std::string_view bytes) const;

private:
    std::string AutoToUtf8(std::string_view bytes) const;

    bool Auto_;
    TTextCodePage Chosen_; // the named code page; windows-1252 with "auto"
    // "auto": the code pages detected so far, each made once.
    mutable std::map<std::string, TTextCodePage, std::less<>> Detected_;
};

} // namespace dialoscope
