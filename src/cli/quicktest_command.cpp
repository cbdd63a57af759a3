#include "quicktest_command.h"

#include "code_page_name.h"
#include "error_lines.h"
#include "script_session.h"

#include "analysis/errors.h"
#include "play/play_script.h"
#include "play/quicktest.h"
#include "play/quicktest_output.h"
#include "project/project.h"

#include <tbb/blocked_range.h>
#include <tbb/info.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <cstdio>

namespace dialoscope {

namespace {

TQuicktestFormat FormatOf(const std::string& name) {
    if (name == "json") {
        return TQuicktestFormat::Json;
    }
    return name == "junit" ? TQuicktestFormat::Junit : TQuicktestFormat::Text;
}

// One script start to finish; its analysis is dropped before the next begins, so memory follows
// the largest script.
TQuicktestReport QuicktestScript(const std::string& path, const std::string& scriptsLst,
                                 bool mayUseSecondCore) {
    TScriptSession session(mayUseSecondCore);
    try {
        session.Open(path, scriptsLst);
    } catch (const std::exception& error) {
        TQuicktestReport report;
        report.Script = path;
        report.Error = ErrorText(error);
        return report;
    }
    const TPlayScript script(session.Workspace(), {path, {}, nullptr});
    return RunQuicktest(script, path);
}

// The scripts a project's list names and finds; what it cannot find is check's to report.
std::vector<std::string> ScriptsOf(const TQuicktestCommandOptions& options) {
    if (!options.ProjectList) {
        return options.Scripts;
    }
    std::vector<std::string> scripts;
    for (const TProjectScript& script : OpenProject(*options.ProjectList).Scripts) {
        if (script.State == TScriptFileState::Found) {
            scripts.push_back(script.ScriptPath);
        }
    }
    return scripts;
}

// Each script by one worker, one script per task (scripts differ in size by orders of
// magnitude); the reports stay in the order given whatever order the workers finish in.
std::vector<TQuicktestReport> QuicktestAll(const std::vector<std::string>& scripts,
                                           const std::string& scriptsLst, std::uint32_t jobs) {
    const int cores = tbb::info::default_concurrency();
    const int workers = jobs == 0 ? cores : static_cast<int>(std::min<std::uint32_t>(jobs, 1024));
    std::vector<TQuicktestReport> reports(scripts.size());
    tbb::task_arena arena(workers);
    arena.execute([&] {
        tbb::parallel_for(
            tbb::blocked_range<std::size_t>(0, scripts.size(), 1),
            [&](const tbb::blocked_range<std::size_t>& range) {
                for (std::size_t i = range.begin(); i != range.end(); ++i) {
                    reports[i] = QuicktestScript(scripts[i], scriptsLst, workers == 1);
                }
            },
            tbb::simple_partitioner());
    });
    return reports;
}

} // namespace

int RunQuicktestCommand(const TQuicktestCommandOptions& options) {
    std::vector<TQuicktestReport> reports;
    try {
        reports = QuicktestAll(ScriptsOf(options), options.ScriptsLst, options.Jobs);
    } catch (const std::exception& error) {
        std::fputs(ErrorLines(error, "testing the answers").c_str(), stderr);
        return 1;
    }
    const TTextDecoder decoder(options.CodePage);
    const std::string output =
        QuicktestOutput(reports, FormatOf(options.Format),
                        [&](std::string_view bytes) { return decoder.ToUtf8(bytes); });
    std::fwrite(output.data(), 1, output.size(), stdout);
    bool failed = false;
    for (const TQuicktestReport& report : reports) {
        failed = failed || report.Failed();
    }
    return std::fflush(stdout) != 0 || failed ? 1 : 0;
}

} // namespace dialoscope
