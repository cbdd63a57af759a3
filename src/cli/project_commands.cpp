#include "project_commands.h"

#include <cstdio>

namespace dialoscope {

// Placeholders until the project layer answers them.
int RunStatsCommand(const TProjectCommandOptions&) {
    std::fputs("dialoscope-cli: stats is not available in this build\n", stderr);
    return 2;
}

int RunProjectCheckCommand(const TProjectCommandOptions&) {
    std::fputs("dialoscope-cli: check --project is not available in this build\n", stderr);
    return 2;
}

} // namespace dialoscope
