#include "project_loading.h"

#include "code_page_name.h"

#include "analysis/errors.h"

#include <cstdio>

namespace dialoscope {

std::optional<TProject> LoadProjectOf(const TProjectCommandOptions& options) {
    if (!options.ProjectList) {
        return ProjectOfScripts(options.Scripts, options.ScriptsLst);
    }
    try {
        return OpenProject(*options.ProjectList);
    } catch (const EDialoscopeError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return std::nullopt;
    }
}

TProjectOptions RunOptionsOf(const TProjectCommandOptions& options) {
    TProjectOptions run;
    run.Against = options.Against;
    run.Since = options.Since;
    run.CodePage = options.CodePage;
    run.Jobs = options.Jobs;
    return run;
}

void WriteScriptMessages(const TScriptResult& result) {
    for (const std::string& message : result.Messages) {
        std::fwrite(message.data(), 1, message.size(), stderr);
        std::fputc('\n', stderr);
    }
}

} // namespace dialoscope
