#include "check_command.h"

#include "check_output.h"
#include "cli_port.h"

#include "analysis/errors.h"
#include "analysis/file_bytes.h"
#include "checks/run_checks.h"
#include "checks/source_change.h"
#include "pipeline/quiet_session.h"
#include "project/code_page_choice.h"

#include <optional>
#include <vector>

namespace dialoscope {

namespace {

// --since: the older original the script's original is compared with; a file that cannot be
// read is a finding of its own. The words of the differences are the code page's.
class TSinceOriginal {
public:
    TSinceOriginal(const TCliCall& call, const std::string& script, TCheckOptions& options)
        : CodePages_(call.CodePage) {
        if (!call.Since) {
            return;
        }
        try {
            Lines_.LoadFromFile(SinceFileFor(*call.Since, script));
        } catch (const std::exception& error) {
            Missing_ = MissingSinceFinding(script, ErrorText(error));
            return;
        }
        options.Since = &Lines_;
        options.CodePage = &CodePages_.For(MessageBytes(MessageFilePath(script)));
    }

    void AddMissing(std::vector<TFinding>& findings) {
        if (Missing_) {
            findings.push_back(std::move(*Missing_));
        }
    }

private:
    static std::string MessageBytes(const std::string& path) {
        try {
            return ReadFileBytes(path);
        } catch (const std::exception&) {
            return {}; // the checks name the file they cannot read
        }
    }

    TCodePageChoice CodePages_;
    TLineStore Lines_;
    std::optional<TFinding> Missing_;
};

// Load, Analyze and every check of one script, with --against the comparison with its original.
// A script that cannot be loaded or analysed, or whose original cannot be read, still gets what
// can be checked without it.
std::vector<TFinding> CheckScript(const TCliCall& call, const std::string& script) {
    TCheckOptions options;
    options.ScriptPath = script;
    TCheckOriginal original(call.Against, options);
    TSinceOriginal since(call, script, options);
    TStandardErrorSink messages;
    TKeptReport report(&messages);
    const TSharedScript opened = OpenScript(script, ScriptsLstOf(call), TablesRequest, report);
    std::vector<TFinding> findings = RunSessionChecks(opened->Workspace(), report.Stop, options);
    since.AddMissing(findings);
    original.AddMissing(findings);
    SortFindings(findings);
    return findings;
}

} // namespace

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
