#pragma once
// The script's message uses against the message files: numbers the nodes use that the message
// file lacks, messages nothing uses, and references into other scripts that lead nowhere.

#include "checks/finding.h"
#include "checks/message_entries.h"
#include "checks/other_script_messages.h"

#include "analysis/workspace.h"

#include <string>
#include <vector>

namespace dialoscope {

struct TMessageUseFiles {
    std::string Script;   // names script findings
    std::string Messages; // names message file findings
};

// missing-message: one per use (node and line of the statement) of a number, or of a range
// with numbers, that messages lacks.
// bad-script-ref: one per use of "s:n" whose script number s has no name in scripts.lst, or
// whose message n is missing from s's message file when that file lies beside the script.
// unused-message: one per message number (at its first line) that no node's message part
// names, no range covers and no GetStr(n) anywhere in the script reads.
void CheckMessageUses(const TWorkspace& ws, const TMessageEntries& messages,
                      TOtherScriptNumbers& otherScripts, const TMessageUseFiles& files,
                      std::vector<TFinding>& findings);

} // namespace dialoscope
