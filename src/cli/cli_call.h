#pragma once
// What one run of dialoscope-cli was asked to do, as the command line gave it: the global options
// and the chosen command's arguments and options. The command line fills it; a command reads
// only the fields its row declares.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace dialoscope {

struct TCliCall {
    // Global options, before or after the command.
    std::optional<std::string> ScriptsLst; // --scripts-lst FILE
    std::string CodePage = "windows-1252"; // --code-page CP: an ICU converter name or "auto"
    std::optional<std::string> Project;    // --project LIST

    // The command's arguments.
    std::string Script;               // the window's commands: one SCRIPT
    std::string Arg;                  // find-msg N, find-node NAME, node-text NAME
    std::vector<std::string> Scripts; // check, stats: SCRIPT...

    // The command's options.
    std::optional<std::string> Against; // --against ORIGINAL or DIR
    std::optional<std::string> Since;   // --since OLD_ORIGINAL or DIR: check, stats, export
    std::string Format = "text";        // --format
    std::optional<std::uint32_t> Jobs;  // --jobs N, N >= 1
    std::optional<double> FailUnder;    // --fail-under PERCENT, 0 to 100

    // export and import.
    std::optional<std::string> To;  // export --to FILE.po|.csv|.xlsx
    bool Bom = false;               // export --bom
    std::string Language;           // export --language LL
    std::vector<std::string> Into;  // import --into TARGET.msg, once or more
    std::optional<std::string> Out; // import --out NEW.msg
    bool AddMissing = false;        // import --add-missing
    bool DryRun = false;            // import --dry-run

    // voice; its file is export's To.
    std::optional<std::string> Speakers; // --speakers Self,Player,...
    std::optional<std::string> Audio;    // --audio PATTERN

    // graph; its --texts is play's Texts below.
    std::optional<std::string> From;   // --from NODE
    std::optional<std::string> Around; // --around NODE
    std::int32_t Steps = 2;            // --steps N, with --around
    std::string GraphFormat = "dot";   // --format dot|svg|mermaid|json

    // play.
    std::optional<std::string> Start;  // --start NODE
    std::string Choose;                // --choose 1,2,...
    std::optional<std::string> ToNode; // --to NODE
    std::optional<std::string> Record; // --record FILE
    std::optional<std::string> Replay; // --replay FILE
    bool Texts = false;                // --texts
};

// Wrong usage found after the command line was read: what() names the problem in one line.
class EUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// With several scripts --against must name the folder of their originals: EUsageError if not.
void CheckAgainstUse(const TCliCall& call);

// The list references "j,number" resolve through: --scripts-lst, else --project, else
// scripts.lst in the program's folder.
std::string ScriptsLstOf(const TCliCall& call);

} // namespace dialoscope
