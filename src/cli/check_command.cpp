#include "check_command.h"

#include "check_output.h"
#include "cli_port.h"

#include "checks/run_checks.h"
#include "pipeline/quiet_session.h"

#include <optional>
#include <vector>

namespace dialoscope {

namespace {

// Load, Analyze and every check of one script, with --against the comparison with its original.
// A script that cannot be loaded or analysed, or whose original cannot be read, still gets what
// can be checked without it.
std::vector<TFinding> CheckScript(const TCliCall& call, const std::string& script) {
    TCheckOptions options;
    options.ScriptPath = script;
    TCheckOriginal original(call.Against, options);
    TStandardErrorSink messages;
    TKeptReport report(&messages);
    const TSharedScript opened = OpenScript(script, ScriptsLstOf(call), TablesRequest, report);
    std::vector<TFinding> findings = RunSessionChecks(opened->Workspace(), report.Stop, options);
    original.AddMissing(findings);
    return findings;
}

} // namespace

void CheckCheckCall(const TCliCall& call) {
    if (call.Scripts.empty()) {
        throw EUsageError("'check' takes at least one SCRIPT, or --project LIST");
    }
    CheckAgainstUse(call);
}

int RunCheckCommand(const TCliCall& call) {
    const TCheckFormat format = call.Format == "json" ? TCheckFormat::Json : TCheckFormat::Text;
    TCheckWriter writer(format, call.CodePage);
    bool anyError = false;
    for (const std::string& script : call.Scripts) {
        const std::vector<TFinding> findings = CheckScript(call, script);
        anyError = anyError || HasErrors(findings);
        writer.Write(findings);
    }
    writer.Finish(call.Scripts.size() > 1 ? TSummary::Print : TSummary::Omit);
    return anyError ? 1 : 0;
}

} // namespace dialoscope
