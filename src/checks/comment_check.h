#pragma once
// Comments that hide code: a block comment left open turns the rest of the script into comment,
// so its nodes and dialogs are never analysed and nothing else says so.

#include "finding.h"

#include "analysis/workspace.h"

#include <string>
#include <vector>

namespace dialoscope {

// unclosed-comment: a block comment whose end marker never comes, at the line it opens on. A
// script scanned without block comments (either marker empty) has none.
void CheckComments(const TWorkspace& ws, const std::string& scriptFile,
                   std::vector<TFinding>& findings);

} // namespace dialoscope
