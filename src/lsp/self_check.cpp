#include "self_check.h"

#include "regular_file.h"
#include "server.h"
#include "uri.h"

#include "analysis/load.h"
#include "checks/other_script_messages.h"

#include <filesystem>

namespace dialoscope::lsp {

namespace {

// At most this many places of one kind are asked about, so a big script checks quickly.
constexpr std::size_t AskedPlaceLimit = 200;

// The protocol's SymbolKind of a node and of a message.
constexpr int NodeSymbol = 12;
constexpr int MessageSymbol = 14;

class TRecordingOutput : public TOutput {
public:
    void Send(const TJson& message) override { Messages.push_back(message); }
    std::vector<TJson> Messages;
};

// The server driven as a client would, one request at a time.
class TSelfCheckClient {
public:
    TSelfCheckClient(std::FILE* out) : Out_(out), Server_(Output_) {}

    TJson Request(const std::string& method, TJson params) {
        const std::int64_t id = NextId_++;
        Output_.Messages.clear();
        Server_.Handle(RequestMessage(id, method, std::move(params)));
        for (const TJson& message : Output_.Messages) {
            if (IsResponse(message) && message["id"] == id) {
                if (message.contains("error")) {
                    // A refusal with a reason (a rename that cannot be done) is an answer.
                    const bool refused = message["error"].value("code", 0) ==
                                         static_cast<int>(TErrorCode::RequestFailed);
                    Failures_ += refused ? 0 : 1;
                    Print("  " + method + (refused ? " refused: " : " failed: ") +
                          message["error"].value("message", std::string()));
                    return nullptr;
                }
                return message["result"];
            }
        }
        ++Failures_;
        Print("  " + method + " gave no answer");
        return nullptr;
    }
    void Notify(const std::string& method, TJson params) {
        Server_.Handle(NotificationMessage(method, std::move(params)));
    }
    std::vector<TJson> Publish() {
        Output_.Messages.clear();
        while (Server_.HasIdleWork()) {
            Server_.DoIdleWork();
        }
        return Output_.Messages;
    }
    void Print(const std::string& line) { std::fprintf(Out_, "%s\n", line.c_str()); }
    int Failures() const { return Failures_; }

private:
    std::FILE* Out_;
    TRecordingOutput Output_;
    TServer Server_;
    std::int64_t NextId_ = 1;
    int Failures_ = 0;
};

TJson At(const std::string& uri, const TJson& position) {
    return {{"textDocument", {{"uri", uri}}}, {"position", position}};
}

std::size_t SizeOf(const TJson& answer) {
    if (answer.is_array()) {
        return answer.size();
    }
    if (answer.is_object() && answer.contains("items")) {
        return answer["items"].size();
    }
    if (answer.is_object() && answer.contains("data")) {
        return answer["data"].size() / 5;
    }
    return answer.is_null() ? 0 : 1;
}

void PrintDiagnostics(TSelfCheckClient& client, const std::vector<TJson>& published) {
    for (const TJson& message : published) {
        if (message.value("method", "") != "textDocument/publishDiagnostics") {
            continue;
        }
        const TJson& params = message["params"];
        const std::string path = PathOfUri(params["uri"].get<std::string>()).value_or("?");
        client.Print(FileNamePart(path) + ": " + std::to_string(params["diagnostics"].size()) +
                     " diagnostics");
        for (const TJson& d : params["diagnostics"]) {
            const TJson& start = d["range"]["start"];
            client.Print("  " + std::to_string(start["line"].get<int>() + 1) + ":" +
                         std::to_string(start["character"].get<int>() + 1) + " " +
                         (d["severity"] == 1 ? "error " : "warning ") +
                         d["code"].get<std::string>() + ": " + d["message"].get<std::string>());
        }
    }
}

// The start of the name of each document symbol of that kind.
std::vector<TJson> SymbolPlaces(const TJson& symbols, int kind) {
    std::vector<TJson> places;
    for (const TJson& symbol : symbols) {
        if (symbol.value("kind", 0) == kind && places.size() < AskedPlaceLimit) {
            places.push_back(symbol["selectionRange"]["start"]);
        }
    }
    return places;
}

// The start of each number the semantic tokens mark.
std::vector<TJson> NumberPlaces(const TJson& tokens) {
    std::vector<TJson> places;
    if (!tokens.is_object() || !tokens.contains("data")) {
        return places;
    }
    const TJson& data = tokens["data"];
    std::int32_t line = 0;
    std::int32_t start = 0;
    for (std::size_t i = 0; i + 4 < data.size() && places.size() < AskedPlaceLimit; i += 5) {
        const std::int32_t deltaLine = data[i];
        start = deltaLine == 0 ? start + data[i + 1].get<std::int32_t>()
                               : data[i + 1].get<std::int32_t>();
        line += deltaLine;
        if (data[i + 3] == 1) {
            places.push_back({{"line", line}, {"character", start}});
        }
    }
    return places;
}

void AskAt(TSelfCheckClient& client, const std::string& uri, const std::vector<TJson>& places,
           const std::string& what) {
    std::size_t hovers = 0;
    std::size_t definitions = 0;
    std::size_t references = 0;
    for (const TJson& place : places) {
        hovers += client.Request("textDocument/hover", At(uri, place)).is_null() ? 0 : 1;
        definitions +=
            SizeOf(client.Request("textDocument/definition", At(uri, place))) > 0 ? 1 : 0;
        TJson params = At(uri, place);
        params["context"] = {{"includeDeclaration", true}};
        references += SizeOf(client.Request("textDocument/references", params));
    }
    client.Print(what + ": " + std::to_string(places.size()) + " asked, " + std::to_string(hovers) +
                 " hovers, " + std::to_string(definitions) + " definitions, " +
                 std::to_string(references) + " references");
}

void CheckScriptFeatures(TSelfCheckClient& client, const std::string& uri, const TJson& symbols,
                         const std::vector<TJson>& published) {
    const TJson tokens =
        client.Request("textDocument/semanticTokens/full", {{"textDocument", {{"uri", uri}}}});
    const std::vector<TJson> nodes = SymbolPlaces(symbols, NodeSymbol);
    AskAt(client, uri, nodes, "nodes");
    AskAt(client, uri, NumberPlaces(tokens), "numbers");
    if (!nodes.empty()) {
        client.Request("textDocument/prepareRename", At(uri, nodes.front()));
        TJson rename = At(uri, nodes.front());
        rename["newName"] = "RenamedBySelfCheck";
        const TJson edit = client.Request("textDocument/rename", rename);
        const std::size_t edits = edit.is_object() && edit.contains("changes")
                                      ? SizeOf(edit["changes"].value(uri, TJson()))
                                      : 0;
        client.Print("rename of the first node: " + std::to_string(edits) + " edits");
    }
    const TJson completion =
        client.Request("textDocument/completion", At(uri, {{"line", 0}, {"character", 0}}));
    client.Print("completion: " + std::to_string(SizeOf(completion)) + " items");
    client.Print("semantic tokens: " + std::to_string(SizeOf(tokens)));
    const TJson document = {{"textDocument", {{"uri", uri}}}};
    client.Print("folding ranges: " +
                 std::to_string(SizeOf(client.Request("textDocument/foldingRange", document))));
    client.Print("code lenses: " +
                 std::to_string(SizeOf(client.Request("textDocument/codeLens", document))));
    TJson diagnostics = TJson::array();
    for (const TJson& message : published) {
        if (message["params"]["uri"] == uri) {
            diagnostics = message["params"]["diagnostics"];
        }
    }
    TJson actions = document;
    actions["range"] = {{"start", {{"line", 0}, {"character", 0}}},
                        {"end", {{"line", 0}, {"character", 0}}}};
    actions["context"] = {{"diagnostics", diagnostics}};
    client.Print("code actions: " +
                 std::to_string(SizeOf(client.Request("textDocument/codeAction", actions))));
    client.Print("workspace symbols: " +
                 std::to_string(SizeOf(client.Request("workspace/symbol", {{"query", ""}}))));
}

} // namespace

int RunSelfCheck(const TSelfCheckOptions& options, std::FILE* out, std::FILE* errors) {
    std::error_code error;
    const std::string path =
        std::filesystem::absolute(options.File, error).lexically_normal().string();
    const std::optional<std::string> bytes = ReadRegularFile(path);
    if (!bytes) {
        std::fprintf(errors, "Cannot open file %s\n", options.File.c_str());
        return 1;
    }
    std::string text;
    try {
        text = TTextCodePage(options.CodePage).ToUtf8(*bytes);
    } catch (const std::exception& failure) {
        std::fprintf(errors, "%s\n", failure.what());
        return 1;
    }
    TSelfCheckClient client(out);
    TJson settings = {{"codePage", options.CodePage}};
    if (options.OriginalFolder) {
        settings["originalFolder"] =
            std::filesystem::absolute(*options.OriginalFolder, error).lexically_normal().string();
    }
    client.Request("initialize", {{"processId", nullptr},
                                  {"rootUri", UriOfPath(FolderOf(path))},
                                  {"capabilities", TJson::object()},
                                  {"initializationOptions", {{"dialoscope", settings}}}});
    client.Notify("initialized", TJson::object());
    const std::string uri = UriOfPath(path);
    const TLanguage language = LanguageOf("", path);
    client.Notify("textDocument/didOpen",
                  {{"textDocument",
                    {{"uri", uri},
                     {"languageId", language == TLanguage::Messages ? "dialoscope-messages"
                                                                    : "dialoscope-script"},
                     {"version", 1},
                     {"text", text}}}});
    const std::vector<TJson> published = client.Publish();
    PrintDiagnostics(client, published);
    const TJson symbols =
        client.Request("textDocument/documentSymbol", {{"textDocument", {{"uri", uri}}}});
    client.Print("document symbols: " + std::to_string(SizeOf(symbols)));
    if (language == TLanguage::Messages) {
        AskAt(client, uri, SymbolPlaces(symbols, MessageSymbol), "messages");
    } else {
        CheckScriptFeatures(client, uri, symbols, published);
    }
    client.Request("shutdown", nullptr);
    client.Notify("exit", nullptr);
    client.Print("failed requests: " + std::to_string(client.Failures()));
    return client.Failures() == 0 ? 0 : 1;
}

} // namespace dialoscope::lsp
