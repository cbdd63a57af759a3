#pragma once
// The --code-page option of dialoscope-cli: "auto" or a converter name ICU knows
// ("windows-1252", "windows-1251", "KOI8-R", "UTF-8", ...), and message texts decoded through
// it for the formats that carry Unicode (JSON).

#include <memory>
#include <string>
#include <string_view>

namespace dialoscope {

inline constexpr std::string_view AutoCodePage = "auto";

// Whether name is "auto" or a code page ICU can decode.
bool IsKnownCodePageName(const std::string& name);

// Bytes of one code page as UTF-8. "auto" reads a text that is valid UTF-8 as UTF-8 and any
// other as windows-1252. A byte the code page leaves undefined becomes a replacement character,
// never an invalid UTF-8 sequence.
class TTextDecoder {
public:
    // name must be known (IsKnownCodePageName).
    explicit TTextDecoder(const std::string& name);
    ~TTextDecoder();
    TTextDecoder(const TTextDecoder&) = delete;
    TTextDecoder& operator=(const TTextDecoder&) = delete;

    std::string ToUtf8(std::string_view bytes) const;

private:
    struct TConverters;
    std::unique_ptr<TConverters> Converters_;
};

} // namespace dialoscope
