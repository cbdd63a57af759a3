#include "check_command.h"

#include "check_output.h"

#include "analysis/analyze.h"
#include "analysis/errors.h"
#include "analysis/load.h"
#include "checks/run_checks.h"
#include "pipeline/script_pipeline.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

namespace dialoscope {

namespace {

// Only the message boxes are shown; they go where the other commands put them.
class TCheckPort : public TNullPort {
public:
    void ShowMessage(std::string_view text) override {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fputc('\n', stderr);
    }
};

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// The original message file to compare this script's message file with, if any.
std::optional<std::string> OriginalFor(const TCliCall& call, const std::string& script) {
    if (!call.Against) {
        return std::nullopt;
    }
    if (!IsFolder(*call.Against)) {
        return call.Against;
    }
    return (std::filesystem::path(*call.Against) / FileNamePart(MessageFilePath(script))).string();
}

TFinding ErrorFinding(TFindingKind kind, const std::string& file, const std::string& text) {
    return MakeFinding(kind, TFindingSource::Script, file, 0, text);
}

// Load, Analyze and every check of one script. A script that cannot be loaded or analysed still
// gets what can be checked without it.
std::vector<TFinding> CheckLoadedScript(const TCliCall& call, const std::string& script,
                                        const TCheckOptions& options) {
    TCheckPort port;
    TWorkspace ws(port);
    ws.ScriptsLstPath = ScriptsLstOf(call);
    try {
        LoadScript(ws, script, TablesRequest);
    } catch (const std::exception& error) {
        return {ErrorFinding(TFindingKind::LoadError, script, ErrorText(error))};
    }
    try {
        AnalyzeScript(ws, TablesRequest);
    } catch (const std::exception& error) {
        std::vector<TFinding> findings = RunMessageFileChecks(ws, options);
        findings.insert(findings.begin(),
                        ErrorFinding(TFindingKind::AnalyzeError, script,
                                     std::string("Analyze stopped: ") + ErrorText(error)));
        return findings;
    }
    return RunChecks(ws, options);
}

// The script's own findings, and with --against the comparison with its original; an original
// that cannot be read is a finding of its own, and the script is checked without it.
std::vector<TFinding> CheckScript(const TCliCall& call, const std::string& script) {
    TCheckOptions options;
    options.ScriptPath = script;
    TLineStore original;
    std::optional<TFinding> missingOriginal;
    if (const auto originalPath = OriginalFor(call, script)) {
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
