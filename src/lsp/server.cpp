#include "server.h"

#include "params.h"
#include "uri.h"

namespace dialoscope::lsp {

namespace {

constexpr int MessageError = 1;
constexpr int MessageWarning = 2;

// Incremental sync: each change is a range and its new text.
constexpr int SyncIncremental = 2;

TJson ServerCapabilities() {
    return {
        {"positionEncoding", "utf-16"},
        {"textDocumentSync",
         {{"openClose", true}, {"change", SyncIncremental}, {"save", {{"includeText", false}}}}},
        {"hoverProvider", true},
        {"definitionProvider", true},
        {"referencesProvider", true},
        {"renameProvider", {{"prepareProvider", true}}},
        {"completionProvider", {{"triggerCharacters", {"@", "(", ",", " "}}}},
        {"documentSymbolProvider", true},
        {"workspaceSymbolProvider", true},
        {"semanticTokensProvider", {{"legend", SemanticTokensLegend()}, {"full", true}}},
        {"foldingRangeProvider", true},
        {"codeLensProvider", {{"resolveProvider", false}}},
        {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}},
        {"workspace", {{"workspaceFolders", {{"supported", true}, {"changeNotifications", true}}}}},
    };
}

// The dialoscope settings in any of the forms clients send them: the section itself, or
// wrapped in "dialoscope", or in "settings" and "dialoscope".
const TJson* DialoscopeSection(const TJson& value) {
    if (!value.is_object()) {
        return nullptr;
    }
    if (const auto settings = value.find("settings"); settings != value.end()) {
        return DialoscopeSection(*settings);
    }
    if (const auto section = value.find("dialoscope"); section != value.end()) {
        return section->is_object() ? &*section : nullptr;
    }
    if (value.contains("codePage") || value.contains("originalFolder")) {
        return &value;
    }
    return nullptr;
}

std::string FolderPath(const TJson& folder) {
    if (folder.is_object() && folder.contains("uri") && folder["uri"].is_string()) {
        return PathOfUri(folder["uri"].get<std::string>()).value_or(std::string());
    }
    return {};
}

} // namespace

TServer::TServer(TOutput& output, TIndexHost* indexHost)
    : Output_(output), IndexHost_(indexHost),
      CodePage_(std::make_shared<const TTextCodePage>(DefaultCodePageName)),
      Requests_{
          {"initialize", &TServer::Initialize},
          {"shutdown", &TServer::Shutdown},
          {"textDocument/hover", &TServer::Hover},
          {"textDocument/definition", &TServer::Definition},
          {"textDocument/references", &TServer::References},
          {"textDocument/prepareRename", &TServer::PrepareRenameRequest},
          {"textDocument/rename", &TServer::RenameRequest},
          {"textDocument/completion", &TServer::Completion},
          {"textDocument/documentSymbol", &TServer::DocumentSymbols},
          {"workspace/symbol", &TServer::WorkspaceSymbolsRequest},
          {"textDocument/semanticTokens/full", &TServer::SemanticTokensFull},
          {"textDocument/foldingRange", &TServer::FoldingRange},
          {"textDocument/codeLens", &TServer::CodeLens},
          {"textDocument/codeAction", &TServer::CodeAction},
      },
      Notifications_{
          {"initialized", &TServer::Initialized},
          {"exit", &TServer::Exit},
          {"textDocument/didOpen", &TServer::DidOpen},
          {"textDocument/didChange", &TServer::DidChange},
          {"textDocument/didClose", &TServer::DidClose},
          {"textDocument/didSave", &TServer::DidSave},
          {"workspace/didChangeConfiguration", &TServer::DidChangeConfiguration},
          {"workspace/didChangeWatchedFiles", &TServer::FilesChanged},
      } {}

TServer::~TServer() = default;

std::string TServer::DocumentUriOf(const TJson& message) {
    static const TJson::json_pointer Uri("/params/textDocument/uri");
    // A path through anything but objects is no document.
    if (!message.contains(Uri) || !message[Uri].is_string()) {
        return {};
    }
    return message[Uri].get<std::string>();
}

void TServer::Handle(const TJson& message) {
    try {
        if (IsRequest(message)) {
            HandleRequest(message);
        } else if (IsNotification(message)) {
            HandleNotification(message);
        } else if (IsResponse(message)) {
            HandleResponse(message);
        } else {
            const TJson id =
                message.is_object() && message.contains("id") ? message["id"] : TJson();
            Output_.Send(ErrorMessage(id.is_number_integer() || id.is_string() ? id : TJson(),
                                      TErrorCode::InvalidRequest,
                                      "not a request, notification or response"));
        }
    } catch (const std::exception& error) {
        LogMessage(std::string("a message could not be handled: ") + error.what());
    }
}

void TServer::HandleRequest(const TJson& message) {
    const TJson& id = message["id"];
    const std::string method = message["method"].get<std::string>();
    const TJson params = message.value("params", TJson::object());
    try {
        if (!Initialized_ && method != "initialize") {
            throw ELspError(TErrorCode::ServerNotInitialized, "the server is not initialized");
        }
        if (ShutDown_) {
            throw ELspError(TErrorCode::InvalidRequest, "the server is shut down");
        }
        Output_.Send(ResultMessage(id, Dispatch(method, params)));
    } catch (const ELspError& error) {
        Output_.Send(ErrorMessage(id, error.Code, error.what()));
    } catch (const std::exception& error) {
        // One request's fault ends that request, never the server.
        LogMessage(method + " failed: " + error.what());
        Output_.Send(
            ErrorMessage(id, TErrorCode::InternalError, method + " failed: " + error.what()));
    }
}

TJson TServer::Dispatch(const std::string& method, const TJson& params) {
    const auto handler = Requests_.find(method);
    if (handler == Requests_.end()) {
        throw ELspError(TErrorCode::MethodNotFound, "unknown method '" + method + "'");
    }
    return (this->*handler->second)(params);
}

void TServer::HandleNotification(const TJson& message) {
    const std::string method = message["method"].get<std::string>();
    const auto handler = Notifications_.find(method);
    // Notifications the server does not know ("$/..." and others) are dropped, as the protocol
    // asks; before initialize only exit counts.
    if (handler == Notifications_.end() || (!Initialized_ && method != "exit")) {
        return;
    }
    try {
        (this->*handler->second)(message.value("params", TJson::object()));
    } catch (const std::exception& error) {
        LogMessage(method + " failed: " + error.what());
    }
}

void TServer::HandleResponse(const TJson& message) {
    const TJson& id = message["id"];
    const std::string key = id.is_string() ? id.get<std::string>() : id.dump();
    if (ConfigurationRequests_.erase(key) == 0) {
        return;
    }
    const auto result = message.find("result");
    if (result != message.end() && result->is_array() && !result->empty()) {
        ApplySettings((*result)[0]);
    }
}

TJson TServer::Initialize(const TJson& params) {
    if (Initialized_) {
        throw ELspError(TErrorCode::InvalidRequest, "the server is already initialized");
    }
    Initialized_ = true;
    if (params.contains("workspaceFolders") && params["workspaceFolders"].is_array()) {
        for (const TJson& folder : params["workspaceFolders"]) {
            if (std::string path = FolderPath(folder); !path.empty()) {
                Roots_.push_back(std::move(path));
            }
        }
    }
    if (Roots_.empty() && params.contains("rootUri") && params["rootUri"].is_string()) {
        if (auto path = PathOfUri(params["rootUri"].get<std::string>())) {
            Roots_.push_back(std::move(*path));
        }
    }
    const TJson capabilities = params.value("capabilities", TJson::object());
    ClientAsksConfiguration_ = capabilities.is_object() && capabilities.contains("workspace") &&
                               capabilities["workspace"].is_object() &&
                               capabilities["workspace"].value("configuration", false) == true;
    if (params.contains("initializationOptions")) {
        ApplySettings(params["initializationOptions"]);
    }
    return {{"capabilities", ServerCapabilities()},
            {"serverInfo", {{"name", "dialoscope-lsp"}, {"version", DIALOSCOPE_VERSION}}}};
}

TJson TServer::Shutdown(const TJson&) {
    ShutDown_ = true;
    return nullptr;
}

void TServer::Initialized(const TJson&) {
    if (ClientAsksConfiguration_) {
        RequestConfiguration();
    }
    for (const std::string& root : Roots_) {
        const std::string list = root + "/scripts.lst";
        if (Read(list)) {
            StartIndexingFor(list);
            break;
        }
    }
}

void TServer::Exit(const TJson&) {
    Exited_ = true;
}

void TServer::DidChangeConfiguration(const TJson& params) {
    if (DialoscopeSection(params)) {
        ApplySettings(params);
    } else if (ClientAsksConfiguration_) {
        RequestConfiguration();
    }
}

void TServer::RequestConfiguration() {
    const std::string id = "dialoscope-configuration-" + std::to_string(NextRequestId_++);
    ConfigurationRequests_.insert(id);
    Output_.Send(
        RequestMessage(id, "workspace/configuration", {{"items", {{{"section", "dialoscope"}}}}}));
}

void TServer::ApplySettings(const TJson& value) {
    const TJson* section = DialoscopeSection(value);
    if (section == nullptr) {
        return;
    }
    TSettings settings = Settings_;
    if (const auto codePage = section->find("codePage"); codePage != section->end() &&
                                                         codePage->is_string() &&
                                                         !codePage->get<std::string>().empty()) {
        settings.CodePage = codePage->get<std::string>();
    }
    if (const auto folder = section->find("originalFolder"); folder != section->end()) {
        settings.OriginalFolder.reset();
        if (folder->is_string() && !folder->get<std::string>().empty()) {
            settings.OriginalFolder = folder->get<std::string>();
        }
    }
    UseSettings(std::move(settings));
}

// A code page the server cannot use keeps the one before, and says why.
void TServer::UseSettings(TSettings settings) {
    if (settings == Settings_) {
        return;
    }
    if (settings.CodePage != CodePage_->Name()) {
        try {
            auto codePage = std::make_shared<const TTextCodePage>(settings.CodePage);
            if (const auto why = codePage->WhyNotForMessageFiles()) {
                ShowMessage(MessageError, "dialoscope.codePage: " + *why);
                settings.CodePage = Settings_.CodePage;
            } else {
                CodePage_ = std::move(codePage);
            }
        } catch (const std::exception& error) {
            ShowMessage(MessageError, std::string("dialoscope.codePage: ") + error.what());
            settings.CodePage = Settings_.CodePage;
        }
    }
    Settings_ = std::move(settings);
    AnalyseAllAgain();
    IndexAgain();
}

void TServer::ShowMessage(int type, const std::string& text) {
    Output_.Send(NotificationMessage("window/showMessage", {{"type", type}, {"message", text}}));
}

void TServer::LogMessage(const std::string& text) {
    Output_.Send(
        NotificationMessage("window/logMessage", {{"type", MessageWarning}, {"message", text}}));
}

} // namespace dialoscope::lsp
