#pragma once
// The commands that work on many scripts at once: stats, and check over a whole project. The
// command line is parsed elsewhere; these take the parsed options and write to standard output.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dialoscope {

struct TProjectCommandOptions {
    std::vector<std::string> Scripts;       // the scripts named on the command line, or
    std::optional<std::string> ProjectList; // --project LIST: every script of that scripts.lst
    std::string ScriptsLst;                 // where references "j,number" are resolved
    std::optional<std::string> Against;     // the original message files (a folder, or a file)
    std::optional<std::string> Since;       // the older originals (a folder, or a file)
    std::string Format = "text";            // stats: text|json|csv|markdown; check: text|json
    std::uint32_t Jobs = 0;                 // 0: every core
    std::optional<double> FailUnder;        // stats: exit 1 below this translated share
    std::string CodePage = "windows-1252";  // an ICU converter name
};

// stats: a row per script and a total row. Returns the exit status: 1 when a row is not "ok"
// (a script missing, refused or not analysed) or the share is below --fail-under.
int RunStatsCommand(const TProjectCommandOptions& options);

// check --project: the findings of every listed script, then the summary line. Returns the exit
// status: 1 when any finding is an error.
int RunProjectCheckCommand(const TProjectCommandOptions& options);

} // namespace dialoscope
