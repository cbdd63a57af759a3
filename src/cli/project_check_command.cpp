// dialoscope-cli check --project: every listed script checked as check checks one, on every
// core, the findings written in list order and then the summary line.

#include "check_output.h"
#include "project_commands.h"
#include "project_loading.h"

#include <cstdio>

namespace dialoscope {

int RunProjectCheckCommand(const TCliCall& call) {
    const std::optional<TProject> project = LoadProjectOf(call);
    if (!project) {
        return 1;
    }
    const TProjectResult result = RunProject(*project, RunOptionsOf(call));
    const TCheckFormat format = call.Format == "json" ? TCheckFormat::Json : TCheckFormat::Text;
    TCheckWriter writer(format, call.CodePage);
    bool anyError = false;
    for (const TScriptResult& script : result.Scripts) {
        WriteScriptMessages(script);
        writer.Write(script.Findings);
        anyError = anyError || HasErrors(script.Findings);
    }
    writer.Finish(TSummary::Print);
    return anyError ? 1 : 0;
}

} // namespace dialoscope
