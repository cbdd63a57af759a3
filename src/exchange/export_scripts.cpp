#include "export_scripts.h"

#include "detail/exchange_error.h"

#include "checks/run_checks.h"
#include "checks/source_change.h"
#include "pipeline/quiet_session.h"
#include "scanner/ascii.h"

#include <exception>
#include <filesystem>
#include <unordered_map>

namespace dialoscope {

namespace {

// Thrown out of the analysis when the request's Cancel is set; CollectExportRows ends there.
struct TExportCancelled {};

// One script's share of the export, kept until the scripts before it are done.
struct TScriptExport {
    std::vector<TExportRow> Rows;
    std::vector<TUndefinedByte> UndefinedBytes;
    std::vector<std::string> Messages; // its analysis' message boxes, in order
    std::exception_ptr Error;          // what stopped it: nothing of it or after it is exported
    std::optional<TSourceChangeCounts> Changes; // with --since: what changed in its original
};

// The message boxes kept for the script's turn; the progress of the whole export; the request's
// Cancel read as the analysis breathes.
class TExportSink : public TSessionSink {
public:
    TExportSink(const TExportRequest& request, std::size_t script)
        : Request_(request), Script_(script) {}
    void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }
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

    std::vector<std::string> Messages;

private:
    const TExportRequest& Request_;
    std::size_t Script_; // its index in the request, for the progress of the whole export
};

void AddChanges(const TSourceChangeCounts& counts, TExportResult& result) {
    TSourceChangeCounts& sum = result.Changes ? *result.Changes : result.Changes.emplace();
    sum.Changed += counts.Changed;
    sum.New += counts.New;
    sum.Removed += counts.Removed;
    sum.Originals += counts.Originals;
}

void AddScriptRows(const TExportRequest& request, std::size_t index, std::int32_t cores,
                   const TTextCodePage& codePage, TExportSink& sink, TScriptExport& done) {
    const TExportScript& script = request.Scripts[index];
    sink.ProcessMessages();
    TLineStore originalLines;
    const std::optional<std::string> originalPath =
        OriginalMessageFile(request.Against, MessageFilePath(script.Path));
    if (originalPath) {
        originalLines.LoadFromFile(*originalPath);
    }
    TLineStore sinceLines;
    if (request.Since) {
        sinceLines.LoadFromFile(SinceFileFor(*request.Since, script.Path));
    }
    TAnalyzeRequest analyze = TablesRequest;
    analyze.Cores = cores;
    const TSharedScript opened = OpenScript(script.Path, request.ScriptsLst, analyze, sink);
    const TWorkspace& ws = opened->Workspace();
    const TMessageEntries own = ReadMessageEntries(ws.MsgRich);
    const TMessageEntries original = ReadMessageEntries(originalLines);
    const TMessageEntries since = ReadMessageEntries(sinceLines);
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
    if (request.Since) {
        messages.Since = &since;
        messages.SinceFile = SinceFileFor(*request.Since, script.Path);
        done.Changes = CountSourceChanges(since, originalPath ? original : own);
    }
    done.Rows = ExportRows(ws, messages, codePage, done.UndefinedBytes);
    if (request.EachScript) {
        request.EachScript(ws, messages, done.Rows);
    }
}

// Every script's share, run as the request's ForEach runs them; one after another, the scripts
// after one that failed are not run.
std::vector<TScriptExport> ExportEachScript(const TExportRequest& request,
                                            const TTextCodePage& codePage) {
    std::vector<TScriptExport> scripts(request.Scripts.size());
    const auto work = [&](std::size_t i, std::int32_t cores) {
        TExportSink sink(request, i);
        try {
            AddScriptRows(request, i, cores, codePage, sink, scripts[i]);
        } catch (...) {
            // Cancelling too: it is thrown on in the script's turn.
            scripts[i].Error = std::current_exception();
        }
        scripts[i].Messages = std::move(sink.Messages);
    };
    if (request.ForEach) {
        request.ForEach(scripts.size(), work);
        return scripts;
    }
    for (std::size_t i = 0; i < scripts.size() && (i == 0 || !scripts[i - 1].Error); ++i) {
        work(i, EverythingRequest.Cores);
    }
    return scripts;
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
        for (TScriptExport& script : ExportEachScript(distinct, codePage)) {
            for (const std::string& message : script.Messages) {
                if (request.ShowMessage) {
                    request.ShowMessage(message);
                }
            }
            if (script.Error) {
                std::rethrow_exception(script.Error);
            }
            result.Rows.insert(result.Rows.end(), std::make_move_iterator(script.Rows.begin()),
                               std::make_move_iterator(script.Rows.end()));
            result.UndefinedBytes.insert(result.UndefinedBytes.end(), script.UndefinedBytes.begin(),
                                         script.UndefinedBytes.end());
            if (script.Changes) {
                AddChanges(*script.Changes, result);
            }
        }
    } catch (const TExportCancelled&) {
        return TExportResult{.Rows = {}, .UndefinedBytes = {}, .Cancelled = true, .Changes = {}};
    }
    return result;
}

} // namespace dialoscope
