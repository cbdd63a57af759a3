#pragma once
// TSymbolColor: how one class of text is painted: font style, foreground, background.
// A plain value: assigning one copies all three parts.

#include "highlight/color.h"

#include <cstdint>

namespace dialoscope {

enum class TFontStyle : std::uint8_t {
    Bold = 1,
    Italic = 2,
    Underline = 4,
    StrikeOut = 8,
};

// A set of TFontStyle; the empty set is the font's regular face.
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(TFontStyle style) : Bits_(static_cast<std::uint8_t>(style)) {}

    constexpr bool Has(TFontStyle style) const {
        return (Bits_ & static_cast<std::uint8_t>(style)) != 0;
    }
    constexpr bool IsEmpty() const { return Bits_ == 0; }
    constexpr TFontStyles With(TFontStyle style) const {
        TFontStyles result = *this;
        result.Bits_ |= static_cast<std::uint8_t>(style);
        return result;
    }

    friend constexpr bool operator==(const TFontStyles&, const TFontStyles&) = default;

private:
    std::uint8_t Bits_ = 0;
};

struct TSymbolColor {
    TFontStyles Style;
    TColor ForeColor = TColor::WindowText();
    TColor BackColor = TColor::WindowBackground();

    friend constexpr bool operator==(const TSymbolColor&, const TSymbolColor&) = default;
};

} // namespace dialoscope
