#pragma once
// Test helpers: listing lines as the analysis pass writes them, and a one-letter-per-character
// picture of how a line is painted.

#include "highlight/highlight_engine.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope::testing {

// c comment, n number, s string, y symbol, R reserved, i identifier, . plain, _ past the line.
inline char MaskLetter(TColorEntry entry) {
    constexpr std::string_view kLetters = "cnsyRiPFDS._";
    return kLetters[static_cast<std::size_t>(entry)];
}

// Built from the runs, as the window paints them.
inline std::string PaintMask(const THighlightEngine& engine) {
    std::vector<TColourRun> runs;
    engine.CharAttrRuns(runs);
    std::string mask;
    for (const TColourRun& run : runs) {
        mask.append(run.Length, MaskLetter(run.Entry));
    }
    return mask;
}

// Column and line padded to 5, the kind word padded to 12, then the token text.
inline std::string ListingLine(int column, int line, std::string_view kind, std::string_view text) {
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%5d %5d %-12.*s ", column, line,
                  static_cast<int>(kind.size()), kind.data());
    return prefix + std::string(text);
}

} // namespace dialoscope::testing
