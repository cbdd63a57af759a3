// dialoscope-cli check --project: every listed script checked as check checks one, on every
// core, the findings written in list order and then the summary line.

#include "check_output.h"
#include "project_commands.h"
#include "project_loading.h"

#include <cstdio>

namespace dialoscope {

int RunProjectCheckCommand(const TProjectCommandOptions& options) {
    const std::optional<TProject> project = LoadProjectOf(options);
    if (!project) {
        return 1;
    }
    const TProjectResult result = RunProject(*project, RunOptionsOf(options));
    const TCheckFormat format = options.Format == "json" ? TCheckFormat::Json : TCheckFormat::Text;
    TCheckWriter writer(format, options.CodePage);
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
