#pragma once
// A whole project analysed on every core (or on --jobs of them): each script by one worker with
// oneTBB, one script's analysis per worker at a time, the results kept in list order whatever
// the order the workers finish in. ForEachScript is the driver; statistics, checks, quicktest
// and export all run on it.

#include "project.h"
#include "script_run.h"

#include <atomic>
#include <functional>
#include <vector>

namespace dialoscope {

// Calls work(index, cores) once for each index below count, from up to jobs workers (0: every
// core) at once, one script per worker at a time; cores is how many cores that script's own Load
// and Analyze may use: 2 with a single worker, else 1. An exception from work ends the run and
// is thrown on here.
void ForEachScript(std::size_t count, std::uint32_t jobs,
                   const std::function<void(std::size_t index, std::int32_t cores)>& work);

struct TProjectResult {
    std::vector<TScriptResult> Scripts; // by index into TProject::Scripts
    TScriptStats Total;                 // the sums; its share is recomputed from them
    bool Cancelled = false;             // some scripts were not run (their rows say so)
};

// Called as each script is done, from the worker that ran it, possibly from several threads at
// once: row is its index into TProject::Scripts. The window shows rows as they finish.
using TRowFinished = std::function<void(std::size_t row, const TScriptResult& result)>;

// Throws ECodePageError for a code page ICU does not know; a script's failure is its row's.
// cancel, when set, is read between scripts: scripts not yet begun then get the status
// "cancelled" and no findings.
TProjectResult RunProject(const TProject& project, const TProjectOptions& options,
                          const TRowFinished& rowFinished = {},
                          const std::atomic<bool>* cancel = nullptr);

} // namespace dialoscope
