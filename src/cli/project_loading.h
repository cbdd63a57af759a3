#pragma once
// The scripts a command over many scripts works on, as a project: the scripts.lst of --project,
// or the scripts named on the command line numbered as the list numbers them. Shared by stats
// and check --project.

#include "project_commands.h"

#include "project/project.h"
#include "project/project_run.h"

#include <optional>

namespace dialoscope {

// The project, or nothing after writing why to standard error ("Cannot open file LIST").
std::optional<TProject> LoadProjectOf(const TCliCall& call);

// The project options of the call's options.
TProjectOptions RunOptionsOf(const TCliCall& call);

// Each script's message boxes, on standard error, in list order.
void WriteScriptMessages(const TScriptResult& result);

} // namespace dialoscope
