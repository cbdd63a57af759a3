#pragma once
// TServer: the language server's state and its answers, one message at a time. It owns the open
// documents, the settings, the analyses of the scripts they belong to and the project index, and
// answers each request by a plain call; it never starts a thread. The scheduler feeds it
// messages in order, calls DoIdleWork while no message waits (diagnostics are published then),
// and hands it the project index the background made. Tests and the self-check drive it
// directly.
//
// Glossary: a document's "script" is the script it belongs to (a message file's twin .ipp); a
// script is "pending" while its diagnostics are not yet published for the latest text.

#include "document.h"
#include "features.h"
#include "project_index.h"
#include "protocol.h"
#include "script_analysis.h"

#include "text/code_page.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace dialoscope::lsp {

struct TSettings {
    std::string CodePage = std::string(DefaultCodePageName);
    std::optional<std::string> OriginalFolder;
    bool operator==(const TSettings&) const = default;
};

// Where the server's messages go: the client, or a test's record.
class TOutput {
public:
    virtual ~TOutput() = default;
    virtual void Send(const TJson& message) = 0;
};

// How the server asks for a project index to be made beside it; the result comes back through
// TServer::AcceptIndex. Without a host the server indexes in place, before it answers on.
class TIndexHost {
public:
    virtual ~TIndexHost() = default;
    virtual void StartIndexing(std::string listPath,
                               std::shared_ptr<const TTextCodePage> codePage) = 0;
};

class TServer : private TFileSource {
public:
    explicit TServer(TOutput& output, TIndexHost* indexHost = nullptr);
    ~TServer() override;

    // Never throws: a failing request is answered with an error.
    void Handle(const TJson& message);

    bool HasIdleWork() const { return !Pending_.empty(); }
    // Analyses one pending script and publishes its diagnostics; the scheduler calls it again
    // while work is left and no message waits.
    void DoIdleWork();
    void AcceptIndex(std::shared_ptr<const TProjectIndex> index);

    bool Exited() const { return Exited_; }
    // 0 after shutdown then exit, 1 after exit without shutdown.
    int ExitCode() const { return ShutDown_ ? 0 : 1; }

    // The URI a request or notification is about, or empty: the scheduler drops requests on a
    // document whose text changed after them.
    static std::string DocumentUriOf(const TJson& message);

private:
    using TRequestHandler = TJson (TServer::*)(const TJson& params);
    using TNotificationHandler = void (TServer::*)(const TJson& params);
    struct TDocumentContext {
        const TDocument& Document;
        std::shared_ptr<const TScriptAnalysis> Analysis; // keeps Context's analysis alive
        TFeatureContext Context;
    };

    std::optional<TEncodedText> Read(const std::string& path) const override;

    void HandleRequest(const TJson& message);
    void HandleNotification(const TJson& message);
    void HandleResponse(const TJson& message);
    TJson Dispatch(const std::string& method, const TJson& params);

    // Lifecycle and settings.
    TJson Initialize(const TJson& params);
    TJson Shutdown(const TJson& params);
    void Initialized(const TJson& params);
    void Exit(const TJson& params);
    void DidChangeConfiguration(const TJson& params);
    void RequestConfiguration();
    void ApplySettings(const TJson& settings);
    void UseSettings(TSettings settings);
    void ShowMessage(int type, const std::string& text);
    void LogMessage(const std::string& text);

    // Documents.
    void DidOpen(const TJson& params);
    void DidChange(const TJson& params);
    void DidClose(const TJson& params);
    void DidSave(const TJson& params);
    void FilesChanged(const TJson& params);
    void Touch(const std::string& path);
    TDocument& DocumentOf(const TJson& params);

    // Analyses.
    std::string ScriptPathOf(const TDocument& document) const;
    std::string ListPathFor(const std::string& scriptPath) const;
    std::optional<std::string> OriginalPathFor(const std::string& scriptPath) const;
    std::shared_ptr<const TScriptAnalysis> AnalysisFor(const std::string& scriptPath);
    void Publish(const std::string& scriptPath);
    // Every open document's script analysed again and its diagnostics published anew.
    void AnalyseAllAgain();
    void StartIndexingFor(const std::string& listPath);
    // The project indexed again, when it was.
    void IndexAgain();

    // Features: nothing for a document of neither language.
    std::optional<TDocumentContext> ContextOf(const TJson& params);
    TJson Hover(const TJson& params);
    TJson Definition(const TJson& params);
    TJson References(const TJson& params);
    TJson PrepareRenameRequest(const TJson& params);
    TJson RenameRequest(const TJson& params);
    TJson Completion(const TJson& params);
    TJson DocumentSymbols(const TJson& params);
    TJson WorkspaceSymbolsRequest(const TJson& params);
    TJson SemanticTokensFull(const TJson& params);
    TJson FoldingRange(const TJson& params);
    TJson CodeLens(const TJson& params);
    TJson CodeAction(const TJson& params);

    TOutput& Output_;
    TIndexHost* IndexHost_;
    bool Initialized_ = false;
    bool ShutDown_ = false;
    bool Exited_ = false;
    bool ClientAsksConfiguration_ = false;
    std::int64_t NextRequestId_ = 1;
    std::set<std::string> ConfigurationRequests_; // ids of workspace/configuration asked
    TSettings Settings_;
    std::shared_ptr<const TTextCodePage> CodePage_;
    std::vector<std::string> Roots_;                                         // workspace folders
    std::map<std::string, TDocument> Documents_;                             // by URI
    std::map<std::string, std::shared_ptr<const TScriptAnalysis>> Analyses_; // by script path
    std::set<std::string> Pending_;                                          // script paths
    std::map<std::string, std::set<std::string>> Published_; // script path -> URIs published
    std::shared_ptr<const TProjectIndex> Index_;
    std::string IndexListPath_;
    const std::map<std::string, TRequestHandler> Requests_;
    const std::map<std::string, TNotificationHandler> Notifications_;
};

} // namespace dialoscope::lsp
