#include "test_client.h"

#include "lsp/framing.h"
#include "lsp/scheduler.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace dialoscope::lsp::test {
namespace {

int ErrorCode(const TJson& answer) {
    return answer.contains("error") ? answer["error"]["code"].get<int>() : 0;
}

TEST(Conduct, ErrorsAnswerTheRequestAndTheServerGoesOn) {
    TTestClient client;
    client.Open("guard.ipp");
    struct TCase {
        const char* Name;
        const char* Method;
        TJson Params;
        TErrorCode Code;
    };
    const std::vector<TCase> cases = {
        {"unknown method", "dialoscope/nothing", TJson::object(), TErrorCode::MethodNotFound},
        {"document not open", "textDocument/hover", client.At("nothing.ipp", 0, 0), TErrorCode::InvalidParams},
        {"position missing", "textDocument/hover", {{"textDocument", {{"uri", client.Uri("guard.ipp")}}}},
         TErrorCode::InvalidParams},
        {"position not a number", "textDocument/definition",
         {{"textDocument", {{"uri", client.Uri("guard.ipp")}}}, {"position", {{"line", "x"}, {"character", 0}}}},
         TErrorCode::InvalidParams},
        {"params not an object", "textDocument/references", TJson::array({1, 2}), TErrorCode::InvalidParams},
        {"initialize twice", "initialize", TJson::object(), TErrorCode::InvalidRequest},
        {"rename of a message file", "textDocument/rename",
         {{"textDocument", {{"uri", client.Uri("guard.msg")}}}, {"position", {{"line", 0}, {"character", 0}}},
          {"newName", "x"}},
         TErrorCode::InvalidParams},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ErrorCode(client.Ask(c.Method, c.Params)), static_cast<int>(c.Code));
        // The next request is answered as usual.
        EXPECT_FALSE(client.Result("textDocument/hover", client.At("guard.ipp", 19, 16)).is_null());
    }
}

TEST(Conduct, Lifecycle) {
    TTestClient client(TJson::object(), false);
    EXPECT_EQ(ErrorCode(client.Ask("textDocument/hover", client.At("guard.ipp", 0, 0))),
              static_cast<int>(TErrorCode::ServerNotInitialized));
    EXPECT_TRUE(client.Ask("initialize", {{"capabilities", TJson::object()}}).contains("result"));
    EXPECT_TRUE(client.Ask("shutdown", nullptr)["result"].is_null());
    EXPECT_EQ(ErrorCode(client.Ask("workspace/symbol", {{"query", ""}})),
              static_cast<int>(TErrorCode::InvalidRequest));
    EXPECT_FALSE(client.Server().Exited());
    client.Notify("exit", nullptr);
    EXPECT_TRUE(client.Server().Exited());
    EXPECT_EQ(client.Server().ExitCode(), 0);

    TTestClient abrupt;
    abrupt.Notify("exit", nullptr);
    EXPECT_EQ(abrupt.Server().ExitCode(), 1); // exit without shutdown
}

TEST(Conduct, SettingsFromEveryPlace) {
    TTestClient client(TJson{{"codePage", "windows-1251"}});
    // A code page that cannot hold message files is refused with a message; the old one stays.
    client.Notify("workspace/didChangeConfiguration", {{"settings", {{"dialoscope", {{"codePage", "UTF-16"}}}}}});
    bool refused = false;
    for (const TJson& message : client.Output().Messages) {
        refused = refused || message.value("method", "") == "window/showMessage";
    }
    EXPECT_TRUE(refused);
    // With windows-1251 the byte FC of the German message file on disk reads as a Cyrillic letter.
    client.Open("de/guard.ipp");
    const TJson hover = client.Result("textDocument/hover", client.At("de/guard.ipp", 19, 16));
    EXPECT_NE(hover["contents"]["value"].get<std::string>().find("M\xD1\x8Chlbach"), std::string::npos)
        << hover.dump();
}

// The whole server on pipes: what a client writes in one go, and every answer it reads back.
std::vector<TJson> Serve(const std::string& input, int* status = nullptr) {
    int in[2];
    int out[2];
    EXPECT_EQ(pipe(in), 0);
    EXPECT_EQ(pipe(out), 0);
    EXPECT_EQ(write(in[1], input.data(), input.size()), static_cast<ssize_t>(input.size()));
    close(in[1]);
    const int result = ServeStreams(in[0], out[1]);
    if (status) {
        *status = result;
    }
    close(out[1]);
    std::string bytes;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    close(in[0]);
    TFrameReader reader;
    reader.Feed(bytes);
    std::vector<TJson> messages;
    while (auto event = reader.Next()) {
        messages.push_back(TJson::parse(event->Body));
    }
    return messages;
}

std::string Frame(const TJson& message) {
    return WriteFrame(message.dump());
}

TJson AnswerTo(const std::vector<TJson>& messages, const TJson& id) {
    for (const TJson& message : messages) {
        if (IsResponse(message) && message["id"] == id) {
            return message;
        }
    }
    return nullptr;
}

TEST(Conduct, OnTheWire) {
    TTestClient files(TJson::object(), false);
    const std::string uri = files.Uri("guard.ipp");
    const TJson hover = {{"textDocument", {{"uri", uri}}}, {"position", {{"line", 19}, {"character", 16}}}};
    const TJson change = {{"textDocument", {{"uri", uri}, {"version", 2}}},
                          {"contentChanges", {{{"text", "function A;\nbegin\nend;\n"}}}}};
    const std::string input =
        Frame(RequestMessage(1, "initialize", {{"capabilities", TJson::object()}})) +
        Frame(NotificationMessage("initialized", TJson::object())) +
        Frame(NotificationMessage("textDocument/didOpen",
                                  {{"textDocument",
                                    {{"uri", uri}, {"languageId", "dialoscope-script"}, {"version", 1},
                                     {"text", "function A;\nbegin\n  Say(Self, 1, 100);\nend;\n"}}}})) +
        WriteFrame("{\"jsonrpc\":\"2.0\",\"id\":2,") +                 // bad JSON
        "Content-Length: x\r\n\r\n" +                                  // a broken frame
        Frame(RequestMessage(3, "textDocument/hover", hover)) +        // cancelled
        Frame(NotificationMessage("$/cancelRequest", {{"id", 3}})) +
        Frame(RequestMessage(4, "textDocument/hover", hover)) +        // superseded by the change
        Frame(NotificationMessage("textDocument/didChange", change)) +
        Frame(RequestMessage(5, "textDocument/documentSymbol", {{"textDocument", {{"uri", uri}}}})) +
        Frame(RequestMessage(6, "shutdown", nullptr)) + Frame(NotificationMessage("exit", nullptr));
    int status = -1;
    const std::vector<TJson> messages = Serve(input, &status);
    EXPECT_EQ(status, 0);
    std::vector<int> nullIdCodes;
    for (const TJson& message : messages) {
        if (IsResponse(message) && message["id"].is_null()) {
            nullIdCodes.push_back(message["error"]["code"]);
        }
    }
    EXPECT_EQ(nullIdCodes, (std::vector<int>{static_cast<int>(TErrorCode::ParseError),
                                             static_cast<int>(TErrorCode::ParseError)}));
    EXPECT_EQ(ErrorCode(AnswerTo(messages, 3)), static_cast<int>(TErrorCode::RequestCancelled));
    EXPECT_EQ(ErrorCode(AnswerTo(messages, 4)), static_cast<int>(TErrorCode::ContentModified));
    const TJson symbols = AnswerTo(messages, 5)["result"];
    ASSERT_EQ(symbols.size(), 1u);
    EXPECT_EQ(symbols[0]["name"], "A");
    EXPECT_TRUE(AnswerTo(messages, 6).contains("result"));
}

TEST(Conduct, EndOfInputWithoutExit) {
    int status = -1;
    const std::vector<TJson> messages =
        Serve(Frame(RequestMessage(1, "initialize", {{"capabilities", TJson::object()}})) + "Content-Le", &status);
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(AnswerTo(messages, 1).contains("result"));
}

} // namespace
} // namespace dialoscope::lsp::test
