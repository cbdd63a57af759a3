#pragma once
// The message file on its own: lines that carry no valid number (every one of them, where
// Analyze stops at the first), numbers defined on more than one line, and lines whose text the
// window's fixed cut reads otherwise than the text field.

#include "checks/finding.h"
#include "checks/message_entries.h"

#include <string>
#include <vector>

namespace dialoscope {

// One bad-message-line per bad line; one duplicate-message per repeated definition, at the
// repeat's line, naming the line of the first definition; one irregular-message-line per line
// that does not split into three fields or whose cut differs from its text field, naming both.
void CheckMessageFile(const TMessageEntries& messages, TFindingSource source,
                      const std::string& file, std::vector<TFinding>& findings);

} // namespace dialoscope
