#include "export_scripts.h"

#include "analysis/analyze.h"
#include "analysis/load.h"
#include "checks/run_checks.h"

#include <filesystem>

namespace dialoscope {

namespace {

// Thrown out of the analysis when the request's Cancel is set; CollectExportRows ends there.
struct TExportCancelled {};

// The analysis writes nothing anyone reads here but the records; message boxes go on.
class TExportPort : public TNullPort {
public:
    TExportPort(const TExportRequest& request, std::size_t script)
        : Show_(request.ShowMessage), Request_(request), Script_(script) {}
    bool ShowsOutput() const override { return false; }
    bool ShowsGeneralView() const override { return false; }
    void ShowMessage(std::string_view text) override {
        if (Show_) {
            Show_(text);
        }
    }
    void SetProgress(int percent) override {
        if (Request_.Progress) {
            const std::size_t scripts = Request_.Scripts.size();
            Request_.Progress(static_cast<int>((Script_ * 100 + static_cast<std::size_t>(percent)) /
                                               scripts));
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

void AddScriptRows(const TExportRequest& request, std::size_t index,
                   const TTextCodePage& codePage, TExportResult& result) {
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

} // namespace

TExportResult CollectExportRows(const TExportRequest& request, const TTextCodePage& codePage) {
    TExportResult result;
    try {
        for (std::size_t i = 0; i < request.Scripts.size(); ++i) {
            AddScriptRows(request, i, codePage, result);
        }
    } catch (const TExportCancelled&) {
        return TExportResult{.Rows = {}, .UndefinedBytes = {}, .Cancelled = true};
    }
    return result;
}

} // namespace dialoscope
