#pragma once
// The statistics of one script read from its analysis and its findings (see script_stats.h for
// what each count means).

#include "project/script_stats.h"

#include "analysis/workspace.h"
#include "checks/finding.h"
#include "checks/message_entries.h"
#include "text/code_page.h"
#include "text/word_count.h"

#include <vector>

namespace dialoscope {

// After Load and a complete Analyze: nodes, dialog starts, lines, answers, messages used and
// their words. counter is the calling thread's own.
void MeasureDialog(const TWorkspace& ws, const TTextCodePage& codePage, TWordCounter& counter,
                   TScriptStats& stats);

// Errors, warnings and unused messages.
void CountFindings(const std::vector<TFinding>& findings, TScriptStats& stats);

TTranslationCounts CountTranslation(const TMessageEntries& original,
                                    const TMessageEntries& translation);

} // namespace dialoscope
