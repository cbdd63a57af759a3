#include "quicktest_command.h"

#include "code_page_name.h"
#include "error_lines.h"
#include "script_session.h"
#include "standard_output.h"

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

// A script to test, or a script the list names that cannot be tested and fails as it stands.
struct TQuicktestItem {
    std::string Script;
    std::string Refusal; // why it is not tested; empty when it is
};

// One script start to finish; its analysis is dropped before the next begins, so memory follows
// the largest script.
TQuicktestReport QuicktestScript(const TQuicktestItem& item, const std::string& scriptsLst,
                                 bool mayUseSecondCore) {
    TQuicktestReport refused;
    refused.Script = item.Script;
    refused.Error = item.Refusal;
    if (!item.Refusal.empty()) {
        return refused;
    }
    TScriptSession session(mayUseSecondCore);
    try {
        session.Open(item.Script, scriptsLst);
    } catch (const std::exception& error) {
        refused.Error = ErrorText(error);
        return refused;
    }
    const TPlayScript script(session.Workspace(), {item.Script, {}, nullptr});
    return RunQuicktest(script, item.Script);
}

// The scripts named, or every script the project's list names: one it cannot find or may not
// read is a failed test, not a test left out. A second line naming the same file adds nothing.
std::vector<TQuicktestItem> ItemsOf(const TQuicktestCommandOptions& options) {
    std::vector<TQuicktestItem> items;
    if (!options.ProjectList) {
        for (const std::string& script : options.Scripts) {
            items.push_back({script, {}});
        }
        return items;
    }
    const TProject project = OpenProject(*options.ProjectList);
    for (const TProjectScript& script : project.Scripts) {
        if (script.State == TScriptFileState::Duplicate) {
            continue;
        }
        const std::optional<TFinding> refusal = ListFinding(project, script);
        const std::string& name = script.ScriptPath.empty() ? script.ListName : script.ScriptPath;
        items.push_back({name, refusal ? refusal->Text : std::string()});
    }
    return items;
}

// Each script by one worker, one script per task (scripts differ in size by orders of
// magnitude); the reports stay in the order given whatever order the workers finish in.
std::vector<TQuicktestReport> QuicktestAll(const std::vector<TQuicktestItem>& items,
                                           const std::string& scriptsLst, std::uint32_t jobs) {
    const int cores = tbb::info::default_concurrency();
    const int workers = jobs == 0 ? cores : static_cast<int>(std::min<std::uint32_t>(jobs, 1024));
    std::vector<TQuicktestReport> reports(items.size());
    tbb::task_arena arena(workers);
    arena.execute([&] {
        tbb::parallel_for(
            tbb::blocked_range<std::size_t>(0, items.size(), 1),
            [&](const tbb::blocked_range<std::size_t>& range) {
                for (std::size_t i = range.begin(); i != range.end(); ++i) {
                    reports[i] = QuicktestScript(items[i], scriptsLst, workers == 1);
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
        reports = QuicktestAll(ItemsOf(options), options.ScriptsLst, options.Jobs);
    } catch (const std::exception& error) {
        std::fputs(ErrorLines(error, "testing the answers").c_str(), stderr);
        return 1;
    }
    const TTextDecoder decoder(options.CodePage);
    const std::string output =
        QuicktestOutput(reports, FormatOf(options.Format),
                        [&](std::string_view bytes) { return decoder.ToUtf8(bytes); });
    WriteStandardOutput(output);
    // Nothing tested is no pass.
    bool failed = reports.empty();
    if (failed) {
        std::fputs("dialoscope-cli: no script to test\n", stderr);
    }
    for (const TQuicktestReport& report : reports) {
        failed = failed || report.Failed();
    }
    return failed ? 1 : 0;
}

} // namespace dialoscope
