#include "quicktest_command.h"

#include "cli_port.h"
#include "error_lines.h"
#include "standard_output.h"

#include "pipeline/quiet_session.h"
#include "play/play_script.h"
#include "play/quicktest.h"
#include "play/quicktest_output.h"
#include "project/code_page_choice.h"
#include "project/project.h"
#include "project/project_run.h"

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
                                 std::int32_t cores) {
    TQuicktestReport refused;
    refused.Script = item.Script;
    refused.Error = item.Refusal;
    if (!item.Refusal.empty()) {
        return refused;
    }
    TAnalyzeRequest request = TablesRequest;
    request.Cores = cores;
    TStandardErrorSink messages;
    TKeptReport report(&messages);
    const TSharedScript opened = OpenScript(item.Script, scriptsLst, request, report);
    if (report.Stop) {
        refused.Error = report.Stop->Text;
        return refused;
    }
    const TPlayScript script(opened->Workspace(), {item.Script, {}, nullptr});
    return RunQuicktest(script, item.Script);
}

// The scripts named, or every script the project's list names: one it cannot find or may not
// read is a failed test, not a test left out. A second line naming the same file adds nothing.
std::vector<TQuicktestItem> ItemsOf(const TCliCall& call) {
    std::vector<TQuicktestItem> items;
    if (!call.Project) {
        for (const std::string& script : call.Scripts) {
            items.push_back({script, {}});
        }
        return items;
    }
    const TProject project = OpenProject(*call.Project);
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

// The reports stay in the order given whatever order the workers finish in.
std::vector<TQuicktestReport> QuicktestAll(const std::vector<TQuicktestItem>& items,
                                           const std::string& scriptsLst, std::uint32_t jobs) {
    std::vector<TQuicktestReport> reports(items.size());
    ForEachScript(items.size(), jobs, [&](std::size_t i, std::int32_t cores) {
        reports[i] = QuicktestScript(items[i], scriptsLst, cores);
    });
    return reports;
}

} // namespace

int RunQuicktestCommand(const TCliCall& call) {
    std::vector<TQuicktestReport> reports;
    try {
        reports = QuicktestAll(ItemsOf(call), ScriptsLstOf(call), call.Jobs.value_or(0));
    } catch (const std::exception& error) {
        std::fputs(ErrorLines(error, "testing the answers").c_str(), stderr);
        return 1;
    }
    TCodePageChoice codePages(call.CodePage);
    const std::string output =
        QuicktestOutput(reports, FormatOf(call.Format),
                        [&](std::string_view bytes) { return codePages.For(bytes).ToUtf8(bytes); });
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
