#include "test_client.h"

#include "lsp/uri.h"

#include "text/code_page.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace dialoscope::lsp::test {

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void CopyExamples(const dialoscope::test::TTempFolder& folder) {
    const std::string examples = std::string(DIALOSCOPE_SOURCE_DIR) + "/examples";
    for (const char* name : {"guard.ipp", "guard.msg", "scripts.lst", "de/guard.ipp", "de/guard.msg"}) {
        std::filesystem::create_directories(std::filesystem::path(folder.Path(name)).parent_path());
        folder.Write(name, ReadFile(examples + "/" + name));
    }
}

} // namespace

TTestClient::TTestClient(TJson settings, bool initialize) : Server_(Output_) {
    CopyExamples(Folder_);
    if (!initialize) {
        return;
    }
    Ask("initialize", {{"rootUri", UriOfPath(Folder_.Folder())},
                       {"capabilities", TJson::object()},
                       {"initializationOptions", std::move(settings)}});
    Notify("initialized", TJson::object());
}

std::string TTestClient::Uri(const std::string& name) const {
    return UriOfPath(Folder_.Path(name));
}

TJson TTestClient::Ask(const std::string& method, TJson params) {
    const std::int64_t id = NextId_++;
    Server_.Handle(RequestMessage(id, method, std::move(params)));
    for (const TJson& message : Output_.Messages) {
        if (IsResponse(message) && message["id"] == id) {
            return message;
        }
    }
    return nullptr;
}

void TTestClient::Notify(const std::string& method, TJson params) {
    Server_.Handle(NotificationMessage(method, std::move(params)));
}

void TTestClient::Open(const std::string& name, const std::string* text) {
    const std::string utf8 =
        text ? *text : TTextCodePage("windows-1252").ToUtf8(ReadFile(Folder_.Path(name)));
    const bool messages = name.ends_with(".msg");
    Notify("textDocument/didOpen",
           {{"textDocument",
             {{"uri", Uri(name)},
              {"languageId", messages ? "dialoscope-messages" : "dialoscope-script"},
              {"version", 1},
              {"text", utf8}}}});
}

TJson TTestClient::Diagnostics(const std::string& name) {
    while (Server_.HasIdleWork()) {
        Server_.DoIdleWork();
    }
    TJson last;
    for (const TJson& message : Output_.Messages) {
        if (message.value("method", "") == "textDocument/publishDiagnostics" &&
            message["params"]["uri"] == Uri(name)) {
            last = message["params"]["diagnostics"];
        }
    }
    return last;
}

TJson TTestClient::At(const std::string& name, std::int32_t line, std::int32_t character) const {
    return {{"textDocument", {{"uri", Uri(name)}}},
            {"position", {{"line", line}, {"character", character}}}};
}

std::vector<std::int32_t> Lines(const TJson& locations) {
    std::vector<std::int32_t> lines;
    if (!locations.is_array()) {
        return lines;
    }
    for (const TJson& location : locations) {
        lines.push_back(location["range"]["start"]["line"].get<std::int32_t>());
    }
    return lines;
}

} // namespace dialoscope::lsp::test
