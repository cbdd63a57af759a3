#pragma once
// The Pascal reserved words that the output pane paints bold. The test ignores ASCII case;
// bytes from 128 up are compared unchanged.

#include <array>
#include <string_view>

namespace dialoscope {

inline constexpr std::size_t kPascalReservedWordCount = 63;

const std::array<std::string_view, kPascalReservedWordCount>& PascalReservedWords();

bool IsPascalReservedWord(std::string_view token);

} // namespace dialoscope
