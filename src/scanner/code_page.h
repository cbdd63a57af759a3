#pragma once
// The lead bytes of the system's multi-byte code page: the scanner never splits a two-byte
// character. The default code page is single-byte (no lead bytes).

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace dialoscope {

class TCodePage {
public:
    // Single-byte: no byte is a lead byte.
    TCodePage() = default;

    // A double-byte code page given by its inclusive lead-byte ranges, such as {{0x81, 0x9F},
    // {0xE0, 0xFC}} for a Japanese code page.
    static TCodePage
    WithLeadRanges(const std::vector<std::pair<std::uint8_t, std::uint8_t>>& ranges);

    bool IsLeadByte(unsigned char byte) const { return Lead_[byte]; }
    bool IsSingleByte() const { return SingleByte_; }

private:
    std::array<bool, 256> Lead_{};
    bool SingleByte_ = true;
};

} // namespace dialoscope
