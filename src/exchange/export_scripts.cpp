#include "export_scripts.h"

#include "detail/exchange_error.h"

#include "analysis/analyze.h"
#include "analysis/load.h"
#include "checks/run_checks.h"
#include "scanner/ascii.h"

#include <filesystem>
#include <unordered_map>

namespace dialoscope {

namespace {

// The analysis writes nothing anyone reads here but the records; message boxes go on.
class TExportPort : public TNullPort {
public:
    explicit TExportPort(const std::function<void(std::string_view)>& show) : Show_(show) {}
    bool ShowsOutput() const override { return false; }
    bool ShowsGeneralView() const override { return false; }
    void ShowMessage(std::string_view text) override {
        if (Show_) {
            Show_(text);
        }
    }

private:
    const std::function<void(std::string_view)>& Show_;
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

void AddScriptRows(const TExportRequest& request, const TExportScript& script,
                   const TTextCodePage& codePage, TExportResult& result) {
    TExportPort port(request.ShowMessage);
    TWorkspace ws(port);
    ws.ScriptsLstPath = request.ScriptsLst;
    TLineStore originalLines;
    const std::optional<std::string> originalPath = OriginalFor(request, script.Path);
    if (originalPath) {
        originalLines.LoadFromFile(*originalPath);
    }
    mnLoadClick(ws, script.Path);
    sbRestartClick(ws);
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
    for (const TExportScript& script : DistinctScripts(request.Scripts)) {
        AddScriptRows(request, script, codePage, result);
    }
    return result;
}

} // namespace dialoscope
