#include "export_scripts.h"

#include "detail/exchange_error.h"

#include "analysis/analyze.h"
#include "analysis/load.h"
#include "checks/run_checks.h"
#include "pipeline/script_pipeline.h"
#include "scanner/ascii.h"

#include <filesystem>
#include <unordered_map>

namespace dialoscope {

namespace {

// Thrown out of the analysis when the request's Cancel is set; CollectExportRows ends there.
struct TExportCancelled {};

// Message boxes go on; nothing else the analysis shows is read here.
class TExportPort : public TNullPort {
public:
    TExportPort(const TExportRequest& request, std::size_t script)
        : Show_(request.ShowMessage), Request_(request), Script_(script) {}
    void ShowMessage(std::string_view text) override {
        if (Show_) {
            Show_(text);
        }
    }
    void SetProgress(int percent) override {
        if (Request_.Progress) {
            const std::size_t scripts = Request_.Scripts.size();
            Request_.Progress(
                static_cast<int>((Script_ * 100 + static_cast<std::size_t>(percent)) / scripts));
        }
    }
    void ProcessMessages() override {
        if (Request_.Cancel != nullptr && *Request_.Cancel) {
            throw TExportCancelled{};
        }
    }

private:
    const std::function<void(std::string_view)>& Show_;
    const TExportRequest& Request_;
    std::size_t Script_; // its index in the request, for the progress of the whole export
};

std::optional<std::string> OriginalFor(const TExportRequest& request,
                                       const std::string& scriptPath) {
    if (!request.Against) {
        return std::nullopt;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(*request.Against, error)) {
        return request.Against;
    }
    return (std::filesystem::path(*request.Against) /
            std::filesystem::path(MessageFilePath(scriptPath)).filename())
        .string();
}

void AddScriptRows(const TExportRequest& request, std::size_t index, const TTextCodePage& codePage,
                   TExportResult& result) {
    const TExportScript& script = request.Scripts[index];
    TExportPort port(request, index);
    port.ProcessMessages();
    TWorkspace ws(port);
    ws.ScriptsLstPath = request.ScriptsLst;
    TLineStore originalLines;
    const std::optional<std::string> originalPath = OriginalFor(request, script.Path);
    if (originalPath) {
        originalLines.LoadFromFile(*originalPath);
    }
    // The analysis makes nothing anyone reads here but the records.
    LoadScript(ws, script.Path, TablesRequest);
    AnalyzeScript(ws, TablesRequest);
    const TMessageEntries own = ReadMessageEntries(ws.MsgRich);
    const TMessageEntries original = ReadMessageEntries(originalLines);
    TScriptMessages messages;
    messages.Script = script.Script;
    messages.ScriptFile = std::filesystem::path(script.Path).filename().string();
    messages.ScriptNumber = ws.ScriptIndex;
    messages.MessageFile = MessageFilePath(script.Path);
    messages.Own = &own;
    if (originalPath) {
        messages.OriginalFile = *originalPath;
        messages.Original = &original;
    }
    std::vector<TExportRow> rows = ExportRows(ws, messages, codePage, result.UndefinedBytes);
    result.Rows.insert(result.Rows.end(), std::make_move_iterator(rows.begin()),
                       std::make_move_iterator(rows.end()));
}

std::string SameFileKey(const std::string& path) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

// Each script once, however often it is named: a PO file defining a message twice is one that
// msgfmt refuses. Two different scripts of one name cannot share a file, whose contexts name
// the script only (and an import matches names in any letter case).
std::vector<TExportScript> DistinctScripts(const std::vector<TExportScript>& scripts) {
    std::vector<TExportScript> distinct;
    std::unordered_map<std::string, const TExportScript*> byName;
    for (const TExportScript& script : scripts) {
        const auto [first, inserted] = byName.emplace(AsciiLowerCase(script.Script), &script);
        if (inserted) {
            distinct.push_back(script);
            continue;
        }
        if (SameFileKey(first->second->Path) != SameFileKey(script.Path)) {
            throw EExchangeError("Two scripts are named \"" + script.Script +
                                 "\": " + first->second->Path + " and " + script.Path +
                                 "; one file tells scripts apart by name only, so export them "
                                 "one at a time");
        }
    }
    return distinct;
}

} // namespace

TExportResult CollectExportRows(const TExportRequest& request, const TTextCodePage& codePage) {
    TExportResult result;
    // The same script named twice is exported once.
    TExportRequest distinct = request;
    distinct.Scripts = DistinctScripts(request.Scripts);
    try {
        for (std::size_t i = 0; i < distinct.Scripts.size(); ++i) {
            AddScriptRows(distinct, i, codePage, result);
        }
    } catch (const TExportCancelled&) {
        return TExportResult{.Rows = {}, .UndefinedBytes = {}, .Cancelled = true};
    }
    return result;
}

} // namespace dialoscope
