#include "project_run.h"

#include "detail/shared_message_numbers.h"
#include "each_script.h"

#include "analysis/errors.h"
#include "analysis/load.h"

#include <tbb/enumerable_thread_specific.h>

#include <new>

namespace dialoscope {

namespace {

TScriptResult CancelledResult(const TProjectScript& script) {
    TScriptResult result;
    result.Stats.ListNumber = script.ListNumber;
    // Named as the rows of the scripts that ran: by the file, where the list resolved one.
    result.Stats.ScriptFile =
        script.ScriptPath.empty() ? script.ListName : FileNamePart(script.ScriptPath);
    result.Stats.Status = "cancelled";
    return result;
}

} // namespace

TScriptStats ProjectTotal(const std::vector<TScriptResult>& rows, const TProjectOptions& options) {
    TScriptStats total;
    total.Status = {};
    if (options.Against) {
        total.Translation.emplace();
    }
    for (const TScriptResult& row : rows) {
        AddToTotal(total, row.Stats);
    }
    return total;
}

TProjectResult RunProject(const TProject& project, const TProjectOptions& options,
                          const TRowFinished& rowFinished, const std::atomic<bool>* cancel) {
    TCodePageChoice codePages(options.CodePage);
    TProjectResult result;
    result.Scripts.resize(project.Scripts.size());
    std::atomic<bool> anyCancelled{false};
    // Opening a word break iterator costs more than counting a text: one per worker thread.
    tbb::enumerable_thread_specific<TWordCounter> counters;
    TSharedMessageNumbers otherScripts(project);
    const auto runScript = [&](std::size_t i, std::int32_t cores) {
        const TProjectScript& script = project.Scripts[i];
        if (cancel != nullptr && cancel->load()) {
            result.Scripts[i] = CancelledResult(script);
            anyCancelled = true;
            return;
        }
        const TScriptWorker worker{codePages, counters.local(), cores, &otherScripts};
        result.Scripts[i] = RunProjectScript(project, script, options, worker);
        if (rowFinished) {
            rowFinished(i, result.Scripts[i]);
        }
    };
    try {
        ForEachScript(project.Scripts.size(), options.Jobs, runScript);
    } catch (const std::bad_alloc&) {
        // Thrown on a worker and carried here by oneTBB: the whole run has no result to give.
        throw EOutOfMemory("analysing the project's scripts");
    }
    result.Cancelled = anyCancelled;
    result.Total = ProjectTotal(result.Scripts, options);
    return result;
}

} // namespace dialoscope
