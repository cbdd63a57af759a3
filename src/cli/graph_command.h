#pragma once
// graph: the dialog graph of one script as DOT (the default), SVG, Mermaid or JSON on standard
// output: the whole script, one dialog (--from NODE: all that NODE reaches) or a node's
// neighbourhood (--around NODE --steps N). Notes about the graph (no dialog start, the engine
// chosen for a big one) go to standard error, one line each.

#include <cstdint>
#include <optional>
#include <string>

namespace dialoscope {

struct TGraphCommandOptions {
    std::string Script;
    std::string ScriptsLst;                // where references "j,number" resolve
    std::string CodePage = "windows-1252"; // an ICU converter name or "auto"
    std::optional<std::string> From;       // the dialog that NODE starts
    std::optional<std::string> Around;     // the neighbourhood of NODE ...
    std::int32_t Steps = 2;                // ... this many edges either way
    std::string Format = "dot";            // dot|svg|mermaid|json
    bool Texts = false;                    // message texts for lines and answer labels
};

// Returns the exit status: 0, or 1 after an error (a script that cannot be loaded or analysed,
// a node the script lacks, a drawing Graphviz could not make) written to standard error.
int RunGraphCommand(const TGraphCommandOptions& options);

} // namespace dialoscope
