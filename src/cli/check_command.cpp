#include "check_command.h"

#include "check_output.h"
#include "standard_error_sink.h"

#include "checks/run_checks.h"
#include "pipeline/original_message_file.h"
#include "pipeline/quiet_session.h"

#include <optional>
#include <vector>

namespace dialoscope {

namespace {

// Load, Analyze and every check of one script. A script that cannot be loaded or analysed still
// gets what can be checked without it.
std::vector<TFinding> CheckLoadedScript(const TCliCall& call, const std::string& script,
                                        const TCheckOptions& options) {
    TStandardErrorSink messages;
    TKeptReport report(&messages);
    const TSharedScript opened = OpenScript(script, ScriptsLstOf(call), TablesRequest, report);
    return RunSessionChecks(opened->Workspace(), report.Stop, options);
}

// The script's own findings, and with --against the comparison with its original; an original
// that cannot be read is a finding of its own, and the script is checked without it.
std::vector<TFinding> CheckScript(const TCliCall& call, const std::string& script) {
    TCheckOptions options;
    options.ScriptPath = script;
    TLineStore original;
    std::optional<TFinding> missingOriginal;
    if (const auto originalPath = OriginalMessageFile(call.Against, MessageFilePath(script))) {
        try {
            original.LoadFromFile(*originalPath);
            options.Original = &original;
            options.OriginalPath = *originalPath;
        } catch (const std::exception& error) {
            missingOriginal = MissingOriginalFinding(script, error.what());
        }
    }
    std::vector<TFinding> findings = CheckLoadedScript(call, script, options);
    if (missingOriginal) {
        findings.push_back(std::move(*missingOriginal));
        SortFindings(findings);
    }
    return findings;
}

} // namespace

void CheckCheckCall(const TCliCall& call) {
    if (call.Scripts.empty()) {
        throw EUsageError("'check' takes at least one SCRIPT, or --project LIST");
    }
    if (call.Against && call.Scripts.size() > 1 && !IsFolder(*call.Against)) {
        throw EUsageError(
            "with several scripts, --against names the folder of the original message files");
    }
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
