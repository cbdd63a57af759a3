#pragma once
// The message file on its own: lines that carry no valid number (every one of them, where
// Analyze stops at the first) and numbers defined on more than one line.

#include "checks/finding.h"
#include "checks/message_entries.h"

#include <string>
#include <vector>

namespace dialoscope {

// One bad-message-line per bad line; one duplicate-message per repeated definition, at the
// repeat's line, naming the line of the first definition.
void CheckMessageFile(const TMessageEntries& messages, TFindingSource source,
                      const std::string& file, std::vector<TFinding>& findings);

} // namespace dialoscope
