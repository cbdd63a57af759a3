#pragma once
// The block comments of a script ("<!-- ... -->" in the dialog-script configuration) as the
// scanner read them, with where each ends: for folding and for colouring, which the output
// pane's per-line rules do not know.

#include "script_analysis.h"

#include <cstdint>
#include <vector>

namespace dialoscope::lsp {

struct TBlockComment {
    std::int32_t FirstLine = 0; // 0-based
    std::size_t FirstByte = 0;  // byte column on the first line
    std::int32_t LastLine = 0;
    std::size_t EndByte = 0; // one past the closing marker on the last line (its end if unclosed)
};

std::vector<TBlockComment> BlockComments(const TScriptAnalysis& analysis);

} // namespace dialoscope::lsp
