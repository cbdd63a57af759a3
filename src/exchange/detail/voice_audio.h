#pragma once
// The audio file name of a line whose message has no middle field: a pattern such as
// "{script}_{number}.wav" with its fields filled in.

#include <cstdint>
#include <string>
#include <string_view>

namespace dialoscope {

// Throws EExchangeError when pattern holds a field other than {script}, {number} and {node}, a
// brace that opens no field, or no {number} (every line of a node would get one file).
void CheckAudioPattern(std::string_view pattern);

// pattern, checked, with its fields replaced.
std::string AudioFileName(std::string_view pattern, std::string_view script, std::int32_t number,
                          std::string_view node);

} // namespace dialoscope
