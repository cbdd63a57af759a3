#pragma once
// TWindowProject: the project the window has open: its list, the folder of the original message
// files it is compared with, and the results of its last run, which the Problems pane and
// Export Strings read without analysing the scripts again.

#include "project/project.h"
#include "project/project_run.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace dialoscope {

struct TWindowProject {
    TProject Project;
    std::optional<std::string> Against; // the originals' folder, none until the user picks one
    std::vector<TScriptResult> Results; // the last run, by index into Project.Scripts
    // Set by Esc during a run, read by the workers between scripts.
    std::atomic<bool> Cancel{false};
    // Each run's rows carry its number: rows of an earlier run that arrive late are dropped.
    int RunNumber = 0;
};

} // namespace dialoscope
