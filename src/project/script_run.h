#pragma once
// One script of a project, start to finish: Load and Analyze in a quiet session that makes
// neither the listing nor the General View, the checks, the statistics; then the analysis is
// dropped, so a worker holds one script's analysis at a time. A script that fails gives its error
// finding and status and never an exception.

#include "code_page_choice.h"
#include "project.h"
#include "script_stats.h"

#include "checks/finding.h"
#include "checks/other_script_numbers.h"
#include "text/code_page.h"
#include "text/word_count.h"

#include <optional>
#include <string>
#include <vector>

namespace dialoscope {

struct TProjectOptions {
    // The original message files: a folder holding them under the scripts' message file names,
    // or, for a project of one script, the file itself. The scripts' own message files are then
    // the translations.
    std::optional<std::string> Against;
    // The older originals the translations were made from (a folder, or one file): what changed
    // since is a finding and counted.
    std::optional<std::string> Since;
    // An ICU converter name or "auto" (see TCodePageChoice), for the word counts.
    std::string CodePage = "windows-1252";
    std::uint32_t Jobs = 0; // 0: every core
    // False: only the counts of the findings are kept (statistics of a big project need no
    // more).
    bool KeepFindings = true;
};

struct TScriptResult {
    TScriptStats Stats;
    // The list's finding for a script it cannot give, or the script's findings as check orders
    // them; empty unless the options keep findings.
    std::vector<TFinding> Findings;
    // The message boxes Analyze showed, in order (dialoscope-cli writes them to standard error).
    std::vector<std::string> Messages;
};

// What the worker running a script brings along.
struct TScriptWorker {
    TCodePageChoice& CodePages;
    TWordCounter& Counter; // the worker's own
    // How many cores the script's own Load and Analyze may use: 1 while every core already
    // analyses a script of its own.
    std::int32_t Cores = 2;
    // The other scripts' message numbers, shared by the run; null: the script's checks read the
    // message files they need themselves. Used only for a script in the project's folder.
    TOtherScriptNumbers* OtherScripts = nullptr;
};

TScriptResult RunProjectScript(const TProject& project, const TProjectScript& script,
                               const TProjectOptions& options, const TScriptWorker& worker);

} // namespace dialoscope
