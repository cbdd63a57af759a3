#pragma once
// TColor: one colour of the output pane's colour scheme. Some colours are the desktop's own
// ("window text", "window background") or the editor's own (its font colour, its background);
// those are named here and looked up by the window when it paints, so a change of the system
// palette shows without touching the scheme. The rest are fixed RGB values.

#include <cstdint>

namespace dialoscope {

class TColor {
public:
    enum class TKind : std::uint8_t {
        Rgb,
        WindowText,
        WindowBackground,
        EditorFont,
        EditorBackground,
    };

    static constexpr TColor FromRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        return TColor(TKind::Rgb, red, green, blue);
    }
    static constexpr TColor WindowText() { return TColor(TKind::WindowText); }
    static constexpr TColor WindowBackground() { return TColor(TKind::WindowBackground); }
    static constexpr TColor EditorFont() { return TColor(TKind::EditorFont); }
    static constexpr TColor EditorBackground() { return TColor(TKind::EditorBackground); }

    constexpr TKind Kind() const { return Kind_; }
    // The RGB parts are 0 for the named colours.
    constexpr std::uint8_t Red() const { return Red_; }
    constexpr std::uint8_t Green() const { return Green_; }
    constexpr std::uint8_t Blue() const { return Blue_; }

    friend constexpr bool operator==(const TColor&, const TColor&) = default;

private:
    constexpr explicit TColor(TKind kind, std::uint8_t red = 0, std::uint8_t green = 0,
                              std::uint8_t blue = 0)
        : Kind_(kind), Red_(red), Green_(green), Blue_(blue) {}

    TKind Kind_;
    std::uint8_t Red_;
    std::uint8_t Green_;
    std::uint8_t Blue_;
};

inline constexpr TColor clOlive = TColor::FromRgb(128, 128, 0);
inline constexpr TColor clNavy = TColor::FromRgb(0, 0, 128);
inline constexpr TColor clPurple = TColor::FromRgb(128, 0, 128);
inline constexpr TColor clBlue = TColor::FromRgb(0, 0, 255);
inline constexpr TColor clGreen = TColor::FromRgb(0, 128, 0);

} // namespace dialoscope
