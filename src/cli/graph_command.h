#pragma once
// graph: the dialog graph of one script as DOT (the default), SVG, Mermaid or JSON on standard
// output: the whole script, one dialog (--from NODE: all that NODE reaches) or a node's
// neighbourhood (--around NODE --steps N). Notes about the graph (no dialog start, the engine
// chosen for a big one) go to standard error, one line each.

#include "cli_call.h"

namespace dialoscope {

// Returns the exit status: 0, or 1 after an error (a script that cannot be loaded or analysed,
// a node the script lacks, a drawing Graphviz could not make) written to standard error.
int RunGraphCommand(const TCliCall& call);

} // namespace dialoscope
