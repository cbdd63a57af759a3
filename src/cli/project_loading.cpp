#include "project_loading.h"

#include "analysis/errors.h"

#include <cstdio>

namespace dialoscope {

std::optional<TProject> LoadProjectOf(const TCliCall& call) {
    if (!call.Project) {
        return ProjectOfScripts(call.Scripts, ScriptsLstOf(call));
    }
    try {
        return OpenProject(*call.Project);
    } catch (const EDialoscopeError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return std::nullopt;
    }
}

TProjectOptions RunOptionsOf(const TCliCall& call) {
    TProjectOptions run;
    run.Against = call.Against;
    run.Since = call.Since;
    run.CodePage = call.CodePage;
    run.Jobs = call.Jobs.value_or(0);
    return run;
}

void WriteScriptMessages(const TScriptResult& result) {
    for (const std::string& message : result.Messages) {
        std::fwrite(message.data(), 1, message.size(), stderr);
        std::fputc('\n', stderr);
    }
}

} // namespace dialoscope
