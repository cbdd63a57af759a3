// dialoscope-cli stats: how big each script's dialog is and how far its translation is, a row per
// script and a total row, in the chosen format on standard output.

#include "project_commands.h"
#include "project_loading.h"
#include "standard_output.h"

#include "project/stats_format.h"

#include <cstdio>

namespace dialoscope {

namespace {

// --fail-under: 0 when the project's share reaches the bar, else 1 and why on standard error.
// A share that leaves scripts out, or that compared nothing, never passes.
int ShareGate(const TCliCall& call, const TScriptStats& total) {
    if (!call.FailUnder) {
        return 0;
    }
    if (!total.Translation) {
        std::fputs("dialoscope-cli: --fail-under needs --against, the original message files\n",
                   stderr);
        return 1;
    }
    if (total.MissingOriginals > 0) {
        const bool one = total.MissingOriginals == 1;
        std::fprintf(stderr, "%lld %s no original message file to compare with\n",
                     static_cast<long long>(total.MissingOriginals),
                     one ? "script has" : "scripts have");
        return 1;
    }
    if (!AnyCompared(*total.Translation)) {
        std::fputs("no entry was compared with an original\n", stderr);
        return 1;
    }
    const double share = TranslatedShare(*total.Translation);
    if (share >= *call.FailUnder) {
        return 0;
    }
    std::fprintf(stderr, "translated share %s%% is below %s%%\n", ShareText(share).c_str(),
                 ShareText(*call.FailUnder).c_str());
    return 1;
}

} // namespace

int RunStatsCommand(const TCliCall& call) {
    const std::optional<TProject> project = LoadProjectOf(call);
    if (!project) {
        return 1;
    }
    TProjectOptions run = RunOptionsOf(call);
    run.KeepFindings = false;
    const TProjectResult result = RunProject(*project, run);
    std::vector<TScriptStats> rows;
    bool allOk = true;
    for (const TScriptResult& script : result.Scripts) {
        WriteScriptMessages(script);
        rows.push_back(script.Stats);
        allOk = allOk && script.Stats.IsOk();
    }
    // File names and statuses that are not UTF-8 are read in the chosen code page.
    const std::string codePage =
        run.CodePage == AutoCodePageName ? std::string(DefaultCodePageName) : run.CodePage;
    const TStatsTable table =
        MakeStatsTable(rows, result.Total, run.Against.has_value(), TTextCodePage(codePage));
    const std::string text =
        FormatStats(table, StatsFormatNamed(call.Format).value_or(TStatsFormat::Text));
    WriteStandardOutput(text);
    // A script that could not be counted makes the totals a lie, whatever the share says.
    const int gate = ShareGate(call, result.Total);
    return allOk ? gate : 1;
}

} // namespace dialoscope
