#pragma once
// The --code-page option of dialoscope-cli: "auto" or a code page the text layer knows
// ("windows-1252", "windows-1251", "KOI8-R", "UTF-8", ...). Message texts are decoded through
// it by TCodePageChoice for the formats that carry Unicode (JSON).

#include <string>

namespace dialoscope {

// Whether name is "auto" or a code page ICU can decode.
bool IsKnownCodePageName(const std::string& name);

} // namespace dialoscope
