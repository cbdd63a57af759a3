#include "check_command.h"

#include "check_output.h"

#include "analysis/analyze.h"
#include "analysis/errors.h"
#include "analysis/load.h"
#include "checks/run_checks.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

namespace dialoscope {

namespace {

struct TCheckCall {
    std::vector<std::string> Scripts;
    std::optional<std::string> Against;
    TCheckFormat Format = TCheckFormat::Text;
    std::string ScriptsLst;
};

// Neither the pane nor the General View is wanted here, so Analyze need not make them; only the
// message boxes are, and they go where the other commands put them.
class TCheckPort : public TNullPort {
public:
    bool ShowsOutput() const override { return false; }
    bool ShowsGeneralView() const override { return false; }
    void ShowMessage(std::string_view text) override {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fputc('\n', stderr);
    }
};

int CheckUsageError(const std::string& why) {
    std::cerr << "dialoscope-cli: " << why << "\n\nRun 'dialoscope-cli --help' for the usage.\n";
    return 2;
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// The position of "check" after the options that may come before a command, or argc.
int CheckWordAt(int argc, char** argv) {
    int i = 1;
    while (i + 1 < argc && std::string_view(argv[i]) == "--scripts-lst") {
        i += 2;
    }
    return i < argc && std::string_view(argv[i]) == "check" ? i : argc;
}

// Options before "check" (--scripts-lst only), then scripts and options in any order.
std::optional<TCheckCall> ParseCheckArguments(int argc, char** argv, std::string scriptsLst,
                                              int& exitCode) {
    const int checkAt = CheckWordAt(argc, argv);
    TCheckCall call;
    call.ScriptsLst = std::move(scriptsLst);
    for (int i = 1; i < checkAt; i += 2) {
        call.ScriptsLst = argv[i + 1];
    }
    const std::vector<std::string> args(argv + checkAt + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--scripts-lst" && hasValue) {
            call.ScriptsLst = args[++i];
        } else if (arg == "--against" && hasValue) {
            call.Against = args[++i];
        } else if (arg == "--format" && hasValue &&
                   (args[i + 1] == "text" || args[i + 1] == "json")) {
            call.Format = args[++i] == "json" ? TCheckFormat::Json : TCheckFormat::Text;
        } else if (arg.rfind("--", 0) == 0) {
            exitCode = CheckUsageError("unknown or incomplete option '" + arg + "'");
            return std::nullopt;
        } else {
            call.Scripts.push_back(arg);
        }
    }
    if (call.Scripts.empty()) {
        exitCode = CheckUsageError("'check' takes at least one SCRIPT");
        return std::nullopt;
    }
    if (call.Against && call.Scripts.size() > 1 && !IsFolder(*call.Against)) {
        exitCode = CheckUsageError("with several scripts, --against names the folder of the "
                                   "original message files");
        return std::nullopt;
    }
    return call;
}

// The original message file to compare this script's message file with, if any.
std::optional<std::string> OriginalFor(const TCheckCall& call, const std::string& script) {
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
std::vector<TFinding> CheckScript(const TCheckCall& call, const std::string& script) {
    TCheckPort port;
    TWorkspace ws(port);
    ws.ScriptsLstPath = call.ScriptsLst;
    TCheckOptions options;
    options.ScriptPath = script;
    TLineStore original;
    if (const auto originalPath = OriginalFor(call, script)) {
        try {
            original.LoadFromFile(*originalPath);
        } catch (const std::exception& error) {
            return {ErrorFinding(TFindingKind::LoadError, *originalPath, error.what())};
        }
        options.Original = &original;
        options.OriginalPath = *originalPath;
    }
    try {
        mnLoadClick(ws, script);
    } catch (const std::exception& error) {
        return {ErrorFinding(TFindingKind::LoadError, script, error.what())};
    }
    try {
        sbRestartClick(ws);
    } catch (const std::exception& error) {
        std::vector<TFinding> findings = RunMessageFileChecks(ws, options);
        findings.insert(findings.begin(),
                        ErrorFinding(TFindingKind::AnalyzeError, script,
                                     std::string("Analyze stopped: ") + error.what()));
        return findings;
    }
    return RunChecks(ws, options);
}

} // namespace

bool IsCheckCommand(int argc, char** argv) {
    return CheckWordAt(argc, argv) < argc;
}

int RunCheckCommand(int argc, char** argv, const std::string& defaultScriptsLst) {
    int exitCode = 0;
    const auto call = ParseCheckArguments(argc, argv, defaultScriptsLst, exitCode);
    if (!call) {
        return exitCode;
    }
    TCheckWriter writer(call->Format, stdout);
    bool anyError = false;
    for (const std::string& script : call->Scripts) {
        const std::vector<TFinding> findings = CheckScript(*call, script);
        anyError = anyError || HasErrors(findings);
        writer.Write(findings);
    }
    writer.Finish(call->Scripts.size() > 1 ? TSummary::Print : TSummary::Omit);
    if (std::fflush(stdout) != 0) {
        return 1;
    }
    return anyError ? 1 : 0;
}

} // namespace dialoscope
