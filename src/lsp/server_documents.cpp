// The server's documents and analyses: what is open, which script each document belongs to,
// and when a script is analysed again.
#include "server.h"

#include "params.h"
#include "regular_file.h"
#include "uri.h"

#include "analysis/load.h"
#include "checks/other_script_messages.h"
#include "checks/run_checks.h"

#include <filesystem>
#include <iterator>
#include <utility>

namespace dialoscope::lsp {

namespace {

bool IsInside(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           (path[folder.size()] == '/' || folder.back() == '/');
}

TTextChange ChangeOf(const TJson& change) {
    TTextChange result;
    result.Text = StringMember(change, "text");
    if (change.contains("range")) {
        result.Range = RangeMember(change, "range");
    }
    return result;
}

} // namespace

std::optional<TEncodedText> TServer::Read(const std::string& path) const {
    for (const auto& [uri, document] : Documents_) {
        if (document.Path() == path) {
            return TEncodedText::Encode(document.Text(), *CodePage_);
        }
    }
    std::optional<std::string> bytes = ReadRegularFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    return TEncodedText::Decode(std::move(*bytes), *CodePage_);
}

TDocument& TServer::DocumentOf(const TJson& params) {
    const std::string uri = StringMember(Member(params, "textDocument"), "uri");
    const auto found = Documents_.find(uri);
    if (found == Documents_.end()) {
        throw ELspError(TErrorCode::InvalidParams, "the document " + uri + " is not open");
    }
    return found->second;
}

void TServer::DidOpen(const TJson& params) {
    const TJson& item = Member(params, "textDocument");
    const std::string uri = StringMember(item, "uri");
    const std::string path = PathOfUri(uri).value_or(std::string());
    const TLanguage language =
        path.empty() ? TLanguage::Other : LanguageOf(StringMember(item, "languageId"), path);
    Documents_.erase(uri);
    const TDocument& document =
        Documents_
            .emplace(uri, TDocument(uri, path, language, IntMember(item, "version"),
                                    StringMember(item, "text")))
            .first->second;
    if (language == TLanguage::Other) {
        return;
    }
    Touch(path);
    Pending_.insert(ScriptPathOf(document));
    const std::string list = ListPathFor(ScriptPathOf(document));
    if (IndexListPath_.empty() && ReadRegularFile(list)) {
        StartIndexingFor(list);
    }
}

void TServer::DidChange(const TJson& params) {
    TDocument& document = DocumentOf(params);
    const TJson& changes = Member(params, "contentChanges");
    if (!changes.is_array()) {
        throw ELspError(TErrorCode::InvalidParams, "'contentChanges' is not an array");
    }
    for (const TJson& change : changes) {
        document.Apply(ChangeOf(change));
    }
    const TJson& identifier = Member(params, "textDocument");
    if (identifier.contains("version") && identifier["version"].is_number_integer()) {
        document.SetVersion(identifier["version"].get<std::int32_t>());
    }
    if (document.Language() != TLanguage::Other) {
        Touch(document.Path());
        Pending_.insert(ScriptPathOf(document));
    }
}

void TServer::DidClose(const TJson& params) {
    const std::string uri = StringMember(Member(params, "textDocument"), "uri");
    const auto found = Documents_.find(uri);
    if (found == Documents_.end()) {
        return;
    }
    const std::string path = found->second.Path();
    const bool analysed = found->second.Language() != TLanguage::Other;
    const std::string script = analysed ? ScriptPathOf(found->second) : std::string();
    Documents_.erase(found);
    if (analysed) {
        // The file on disk stands for it again; a file deleted while open leaves no text behind.
        Touch(path);
        Pending_.insert(script);
    }
}

void TServer::DidSave(const TJson& params) {
    if (DocumentOf(params).Language() == TLanguage::Script) {
        IndexAgain();
    }
}

// Files changed on disk: every analysis may read one of them.
void TServer::FilesChanged(const TJson&) {
    AnalyseAllAgain();
}

void TServer::AnalyseAllAgain() {
    Analyses_.clear();
    for (const auto& [uri, document] : Documents_) {
        if (document.Language() != TLanguage::Other) {
            Pending_.insert(ScriptPathOf(document));
        }
    }
}

// Drops every analysis that read the file at path.
void TServer::Touch(const std::string& path) {
    for (auto it = Analyses_.begin(); it != Analyses_.end();) {
        const TScriptAnalysis& analysis = *it->second;
        const bool reads = analysis.Input.ScriptPath == path || analysis.MessagePath == path ||
                           analysis.Input.ListPath == path || analysis.Input.OriginalPath == path;
        it = reads ? Analyses_.erase(it) : std::next(it);
    }
}

std::string TServer::ScriptPathOf(const TDocument& document) const {
    return document.Language() == TLanguage::Messages ? ChangeFileExt(document.Path(), ".ipp")
                                                      : document.Path();
}

// The project is the workspace folder holding both the script and a scripts.lst, else the
// script's own folder.
std::string TServer::ListPathFor(const std::string& scriptPath) const {
    for (const std::string& root : Roots_) {
        const std::string list = root + "/scripts.lst";
        if (IsInside(scriptPath, root) && ReadRegularFile(list)) {
            return list;
        }
    }
    return FolderOf(scriptPath) + "/scripts.lst";
}

std::optional<std::string> TServer::OriginalPathFor(const std::string& scriptPath) const {
    if (!Settings_.OriginalFolder) {
        return std::nullopt;
    }
    return (std::filesystem::path(*Settings_.OriginalFolder) /
            FileNamePart(MessageFilePath(scriptPath)))
        .string();
}

std::shared_ptr<const TScriptAnalysis> TServer::AnalysisFor(const std::string& scriptPath) {
    if (const auto found = Analyses_.find(scriptPath); found != Analyses_.end()) {
        return found->second;
    }
    const TAnalysisInput input{scriptPath, ListPathFor(scriptPath), OriginalPathFor(scriptPath)};
    // A message file without its script is still checked on its own.
    std::optional<TEncodedText> script = Read(scriptPath);
    std::shared_ptr<const TScriptAnalysis> analysis =
        AnalyseScript(input, script ? std::move(*script) : TEncodedText(), *this);
    Analyses_[scriptPath] = analysis;
    return analysis;
}

void TServer::Publish(const std::string& scriptPath) {
    const std::shared_ptr<const TScriptAnalysis> analysis = AnalysisFor(scriptPath);
    const TFeatureContext context{*analysis, *CodePage_, *this, Index_.get(),
                                  OriginalPathFor(scriptPath)};
    std::map<std::string, TJson> byUri = Diagnostics(context);
    std::error_code error;
    const bool scriptExists = Documents_.contains(context.ScriptUri()) ||
                              std::filesystem::is_regular_file(scriptPath, error);
    if (!scriptExists) {
        byUri.erase(context.ScriptUri());
    }
    std::set<std::string>& published = Published_[scriptPath];
    for (const std::string& uri : published) {
        byUri.try_emplace(uri, TJson::array()); // cleared: nothing to say there any more
    }
    published.clear();
    for (auto& [uri, diagnostics] : byUri) {
        TJson params = {{"uri", uri}, {"diagnostics", std::move(diagnostics)}};
        if (const auto document = Documents_.find(uri); document != Documents_.end()) {
            params["version"] = document->second.Version();
        }
        if (!params["diagnostics"].empty()) {
            published.insert(uri);
        }
        Output_.Send(NotificationMessage("textDocument/publishDiagnostics", std::move(params)));
    }
}

void TServer::DoIdleWork() {
    if (!Pending_.empty()) {
        const std::string script = *Pending_.begin();
        Pending_.erase(Pending_.begin());
        try {
            Publish(script);
        } catch (const std::exception& error) {
            LogMessage("diagnostics of " + script + " failed: " + error.what());
        }
    }
}

void TServer::StartIndexingFor(const std::string& listPath) {
    if (listPath == IndexListPath_) {
        return;
    }
    IndexListPath_ = listPath;
    if (IndexHost_ != nullptr) {
        IndexHost_->StartIndexing(listPath, CodePage_);
        return;
    }
    AcceptIndex(IndexProject(listPath, *CodePage_, [] { return false; }));
}

void TServer::IndexAgain() {
    if (!IndexListPath_.empty()) {
        StartIndexingFor(std::exchange(IndexListPath_, std::string()));
    }
}

void TServer::AcceptIndex(std::shared_ptr<const TProjectIndex> index) {
    if (index && index->ListPath == IndexListPath_) {
        Index_ = std::move(index);
    }
}

} // namespace dialoscope::lsp
