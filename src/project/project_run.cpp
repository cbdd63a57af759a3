#include "project_run.h"

#include "detail/shared_message_numbers.h"

#include "analysis/errors.h"
#include "analysis/load.h"

#include <tbb/blocked_range.h>
#include <tbb/enumerable_thread_specific.h>
#include <tbb/info.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <algorithm>

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

// The sums of the rows, as the total row shows them.
TScriptStats ProjectTotal(const std::vector<TScriptResult>& rows, const TProjectOptions& options) {
    TScriptStats total;
    total.Status = {};
    if (options.Against) {
        total.Translation.emplace();
    }
    if (options.Since) {
        total.Changes.emplace();
    }
    for (const TScriptResult& row : rows) {
        AddToTotal(total, row.Stats);
    }
    return total;
}

} // namespace

void ForEachScript(std::size_t count, std::uint32_t jobs,
                   const std::function<void(std::size_t index, std::int32_t cores)>& work) {
    const std::size_t asked = jobs == 0 ? static_cast<std::size_t>(tbb::info::default_concurrency())
                                        : std::min<std::uint32_t>(jobs, 1024);
    // No worker idles for want of a script, so a script alone has both cores.
    const auto workers = static_cast<int>(std::clamp<std::size_t>(count, 1, asked));
    const std::int32_t cores = workers == 1 ? 2 : 1;
    tbb::task_arena arena(workers);
    arena.execute([&] {
        // One script per task: scripts differ in size by orders of magnitude.
        tbb::parallel_for(
            tbb::blocked_range<std::size_t>(0, count, 1),
            [&](const tbb::blocked_range<std::size_t>& range) {
                for (std::size_t i = range.begin(); i != range.end(); ++i) {
                    work(i, cores);
                }
            },
            tbb::simple_partitioner());
    });
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
