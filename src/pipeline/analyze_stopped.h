#pragma once
// How every front end words an Analyze that an error stopped: the findings, the statistics'
// status, play and quicktest, and the window's status bar.

#include <string>
#include <string_view>

namespace dialoscope {

inline constexpr std::string_view AnalyzeStopped = "Analyze stopped";

// "Analyze stopped: WHY", WHY the error's own text.
inline std::string AnalyzeStoppedText(std::string_view why) {
    return std::string(AnalyzeStopped) + ": " + std::string(why);
}

} // namespace dialoscope
