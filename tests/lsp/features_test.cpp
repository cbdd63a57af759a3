#include "test_client.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialoscope::lsp::test {
namespace {

// Places in examples/guard.ipp, 0-based.
constexpr std::int32_t GreetingForward = 10, GreetingFunction = 17, AskTownFunction = 27;
const TPosition Msg100{19, 16};        // Say(Self, 1, 100);
const TPosition Msg101{20, 16};        // SayForAnswer(101);
const TPosition AskTownTarget{21, 19}; // Answer(4, 102, @AskTown);
const TPosition OtherScript205{40, 18}; // Say(Self, 2, 3,205);
const TPosition Range117{57, 24};       // Say(Self, 1, 3, Rnd(117,119));

std::string HoverText(TTestClient& client, const std::string& file, TPosition at) {
    const TJson hover = client.Result("textDocument/hover", client.At(file, at.Line, at.Character));
    return hover.is_null() ? std::string() : hover["contents"]["value"].get<std::string>();
}

TEST(Features, HoverOnMessagesAndNodes) {
    TTestClient client;
    client.Open("guard.ipp");
    client.Open("guard.msg");
    struct TCase {
        const char* Name;
        const char* File;
        TPosition At;
        std::vector<std::string> Holds; // empty: no hover
    };
    const std::vector<TCase> cases = {
        {"a message number", "guard.ipp", Msg100, {"Halt! State your business", "spoken by Self"}},
        {"a range", "guard.ipp", Range117, {"Messages 117-119", "No coin, no gate.", "purse is heavier"}},
        {"another script's message", "guard.ipp", OtherScript205, {"Message 205 of script 3"}},
        {"an answer's target", "guard.ipp", AskTownTarget,
         {"node **AskTown**", "Millbrook? Best mill", "answer in Greeting (line 22)"}},
        {"a keyword", "guard.ipp", {18, 1}, {}},
        {"a message line", "guard.msg", {3, 2}, {"Message **101**", "Well?", "Greeting (line 21)"}},
        {"a comment line of the message file", "guard.msg", {0, 2}, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string text = HoverText(client, c.File, c.At);
        EXPECT_EQ(text.empty(), c.Holds.empty()) << text;
        for (const std::string& part : c.Holds) {
            EXPECT_NE(text.find(part), std::string::npos) << text;
        }
    }
}

TEST(Features, DefinitionAndReferences) {
    TTestClient client;
    client.Open("guard.ipp");
    client.Open("guard.msg");
    struct TCase {
        const char* Name;
        const char* Method;
        const char* File;
        TPosition At;
        const char* ExpectedFile;
        std::vector<std::int32_t> Lines;
    };
    const std::vector<TCase> cases = {
        {"answer target to its node", "textDocument/definition", "guard.ipp", AskTownTarget,
         "guard.ipp", {AskTownFunction}},
        {"forward declaration to its node", "textDocument/definition", "guard.ipp",
         {GreetingForward, 10}, "guard.ipp", {GreetingFunction}},
        {"message number to its line", "textDocument/definition", "guard.ipp", Msg101, "guard.msg", {3}},
        {"a range's number to its line", "textDocument/definition", "guard.ipp", Range117, "guard.msg", {19}},
        {"message line back to its use", "textDocument/definition", "guard.msg", {3, 1}, "guard.ipp", {20}},
        {"every place naming a node", "textDocument/references", "guard.ipp",
         {GreetingFunction, 10}, "guard.ipp", {GreetingForward, GreetingFunction, 33, 42, 58, 74}},
        {"a message's line and use", "textDocument/references", "guard.ipp", Msg100, "", {2, 19}},
        {"a message of a range", "textDocument/references", "guard.msg", {20, 1}, "", {20, 57}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TJson params = client.At(c.File, c.At.Line, c.At.Character);
        params["context"] = {{"includeDeclaration", true}};
        TJson answer = client.Result(c.Method, params);
        if (answer.is_object()) {
            answer = TJson::array({answer});
        }
        EXPECT_EQ(Lines(answer), c.Lines) << answer.dump();
        if (*c.ExpectedFile != '\0' && !answer.empty()) {
            EXPECT_EQ(answer[0]["uri"], client.Uri(c.ExpectedFile));
        }
    }
}

TEST(Features, RenameOfANode) {
    TTestClient client;
    client.Open("guard.ipp");
    const TJson edit = client.Result(
        "textDocument/rename", [&] {
            TJson params = client.At("guard.ipp", GreetingFunction, 10);
            params["newName"] = "Welcome";
            return params;
        }());
    const TJson& edits = edit["changes"][client.Uri("guard.ipp")];
    EXPECT_EQ(Lines(edits), (std::vector<std::int32_t>{GreetingForward, GreetingFunction, 33, 42, 58, 74}));
    for (const TJson& e : edits) {
        EXPECT_EQ(e["newText"], "Welcome");
        EXPECT_EQ(e["range"]["end"]["character"].get<int>() - e["range"]["start"]["character"].get<int>(), 8);
    }
}

TEST(Features, RenameRefusedWithAReason) {
    const std::string script = "script S('s.msg');\n"
                               "function A; forward;\n"
                               "function A;\nbegin\n  Answer(1, 1, @B);\nend;\n"
                               "function B;\nbegin\n  Say(Self, 1, 2);\n  Write('B');\nend;\nend.\n";
    struct TCase {
        const char* Name;
        TPosition At;
        const char* NewName;
        const char* Says;
    };
    const std::vector<TCase> cases = {
        {"a name in a string too", {6, 9}, "C", "also stands at line 10"},
        {"the new name is taken", {2, 9}, "B", "exists already"},
        {"not a name", {2, 9}, "9lives", "is no node name"},
        {"a keyword", {2, 9}, "begin", "is a keyword"},
        {"not on a node", {0, 1}, "X", "only the name of a node"},
    };
    TTestClient client;
    client.Folder().Write("s.msg", "{1}{}{a}\n{2}{}{b}\n");
    client.Folder().Write("s.ipp", script);
    client.Open("s.ipp", &script);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TJson params = client.At("s.ipp", c.At.Line, c.At.Character);
        params["newName"] = c.NewName;
        const TJson answer = client.Ask("textDocument/rename", params);
        ASSERT_TRUE(answer.contains("error")) << answer.dump();
        EXPECT_EQ(answer["error"]["code"], static_cast<int>(TErrorCode::RequestFailed));
        EXPECT_NE(answer["error"]["message"].get<std::string>().find(c.Says), std::string::npos)
            << answer.dump();
    }
}

std::vector<std::string> Labels(const TJson& completion) {
    std::vector<std::string> labels;
    for (const TJson& item : completion["items"]) {
        labels.push_back(item["label"]);
    }
    return labels;
}

bool Has(const std::vector<std::string>& labels, const std::string& label) {
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}

TEST(Features, CompletionByPlace) {
    TTestClient client;
    const std::string script = "function A;\nbegin\n  Answer(1, 10, @\n  Say(Self, 1, 11\n  \nend;\n";
    client.Folder().Write("c.ipp", script);
    client.Folder().Write("c.msg", "{100}{}{Hello}\n{110}{}{Bye}\n{200}{}{Other}\n");
    client.Open("c.ipp", &script);
    struct TCase {
        const char* Name;
        TPosition At;
        std::vector<std::string> Has;
        std::vector<std::string> HasNot;
    };
    const std::vector<TCase> cases = {
        {"after @: nodes", {2, 17}, {"A"}, {"begin", "100"}},
        {"a number being typed: messages", {3, 17}, {"110"}, {"100", "200", "A"}},
        {"after a comma: every message", {2, 12}, {"100", "110", "200"}, {"A"}},
        {"elsewhere: keywords and nodes", {4, 2}, {"A", "begin"}, {"100"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::vector<std::string> labels =
            Labels(client.Result("textDocument/completion", client.At("c.ipp", c.At.Line, c.At.Character)));
        for (const std::string& label : c.Has) {
            EXPECT_TRUE(Has(labels, label)) << label;
        }
        for (const std::string& label : c.HasNot) {
            EXPECT_FALSE(Has(labels, label)) << label;
        }
    }
}

TEST(Features, DiagnosticsOfScriptAndMessageFiles) {
    TTestClient client(TJson{{"dialoscope", {{"originalFolder", ""}}}});
    client.Notify("workspace/didChangeConfiguration",
                  {{"settings", {{"dialoscope", {{"originalFolder", client.Folder().Folder()}}}}}});
    client.Open("de/guard.ipp");
    struct TCase {
        const char* File;
        std::vector<std::string> Codes;
    };
    const std::vector<TCase> cases = {
        {"de/guard.ipp", {"missing-message"}},
        {"de/guard.msg", {"punctuation-differs", "untranslated", "unused-message", "extra-translation"}},
        {"guard.msg", {"missing-translation"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.File);
        std::vector<std::string> codes;
        for (const TJson& d : client.Diagnostics(c.File)) {
            codes.push_back(d["code"]);
        }
        EXPECT_EQ(codes, c.Codes);
    }
    // The finding stands on its line in the editor's columns.
    const TJson missing = client.Diagnostics("de/guard.ipp")[0];
    EXPECT_EQ(missing["range"]["start"]["line"], 57);
    EXPECT_EQ(missing["severity"], 1);
}

TEST(Features, DiagnosticsFollowEditsAndUnencodableCharacters) {
    TTestClient client;
    client.Open("guard.ipp");
    EXPECT_TRUE(client.Diagnostics("guard.ipp").empty());
    // "@AskTown" becomes "@AskTwn", then a smiley goes in front of the line.
    client.Notify("textDocument/didChange",
                  {{"textDocument", {{"uri", client.Uri("guard.ipp")}, {"version", 2}}},
                   {"contentChanges",
                    {{{"range", {{"start", {{"line", 21}, {"character", 21}}}, {"end", {{"line", 21}, {"character", 22}}}}},
                      {"text", ""}},
                     {{"range", {{"start", {{"line", 21}, {"character", 0}}}, {"end", {{"line", 21}, {"character", 0}}}}},
                      {"text", "\xF0\x9F\x98\x80"}}}}});
    const TJson diagnostics = client.Diagnostics("guard.ipp");
    ASSERT_EQ(diagnostics.size(), 3u) << diagnostics.dump();
    EXPECT_EQ(diagnostics[0]["code"], "missing-target");
    EXPECT_EQ(diagnostics[1]["code"], "unreachable-node");
    // The target's columns count the smiley as two units, as the editor does.
    EXPECT_EQ(diagnostics[0]["range"]["start"]["character"], 20);
    EXPECT_EQ(diagnostics[0]["range"]["end"]["character"], 26);
    EXPECT_EQ(diagnostics[2]["code"], "unencodable-character");
    EXPECT_EQ(diagnostics[2]["range"]["end"]["character"], 2);
}

std::vector<std::string> Titles(const TJson& actions) {
    std::vector<std::string> titles;
    for (const TJson& action : actions) {
        titles.push_back(action["title"]);
    }
    return titles;
}

TEST(Features, QuickFixes) {
    TTestClient client;
    const std::string script = "script C('c.msg');\n\nfunction A; forward;\n\nfunction A;\nbegin\n"
                               "  Say(Self, 1, 101);\n  Answer(1, 100, @a);\n  Answer(1, 100, @Nowhere);\n"
                               "end;\n\nend.\n";
    client.Folder().Write("c.ipp", script);
    client.Folder().Write("c.msg", "{100}{}{Hi}\n{200}{}{Bye}\n");
    client.Open("c.ipp", &script);
    const TJson diagnostics = client.Diagnostics("c.ipp");
    TJson params = {{"textDocument", {{"uri", client.Uri("c.ipp")}}},
                    {"range", {{"start", {{"line", 0}, {"character", 0}}}, {"end", {{"line", 0}, {"character", 0}}}}},
                    {"context", {{"diagnostics", diagnostics}}}};
    const TJson actions = client.Result("textDocument/codeAction", params);
    EXPECT_EQ(Titles(actions), (std::vector<std::string>{"Add message 101 to c.msg", "Change to A",
                                                         "Create node a", "Create node Nowhere"}))
        << diagnostics.dump();
    const TJson& add = actions[0]["edit"]["changes"][client.Uri("c.msg")][0];
    EXPECT_EQ(add["range"]["start"]["line"], 1); // after 100, before 200
    EXPECT_EQ(add["newText"], "{101}{}{}\n");
    const TJson& create = actions[3]["edit"]["changes"][client.Uri("c.ipp")];
    ASSERT_EQ(create.size(), 2u);
    EXPECT_EQ(create[0]["range"]["start"]["line"], 3);
    EXPECT_EQ(create[0]["newText"], "function Nowhere; forward;\n");
    EXPECT_EQ(create[1]["range"]["start"]["line"], 11);
}

TEST(Features, SymbolsTokensFoldingAndLenses) {
    TTestClient client;
    client.Open("guard.ipp");
    const TJson document = {{"textDocument", {{"uri", client.Uri("guard.ipp")}}}};
    std::vector<std::string> symbols;
    for (const TJson& symbol : client.Result("textDocument/documentSymbol", document)) {
        symbols.push_back(symbol["name"].get<std::string>() + ":" + std::to_string(symbol["kind"].get<int>()));
    }
    EXPECT_EQ(symbols, (std::vector<std::string>{"script:3", "uses:3", "var:3", "forward:3", "Greeting:12",
                                                 "AskTown:12", "AskSmith:12", "PayToll:12", "NoMoney:12",
                                                 "Farewell:12", "Talk:12"}));
    std::vector<std::string> lenses;
    for (const TJson& lens : client.Result("textDocument/codeLens", document)) {
        lenses.push_back(lens["command"]["title"]);
    }
    ASSERT_GE(lenses.size(), 4u);
    EXPECT_EQ(lenses[0], "reached from 1 dialog start");
    EXPECT_EQ(lenses[1], "4 uses");
    std::vector<std::string> folds;
    for (const TJson& range : client.Result("textDocument/foldingRange", document)) {
        folds.push_back(std::to_string(range["startLine"].get<int>()) + "-" +
                        std::to_string(range["endLine"].get<int>()) + range["kind"].get<std::string>());
    }
    EXPECT_EQ(folds.front(), "17-25region");
    EXPECT_TRUE(Has(folds, "38-39comment"));
    const TJson tokens = client.Result("textDocument/semanticTokens/full", document)["data"];
    ASSERT_EQ(tokens.size() % 5, 0u);
    // The first token is the comment of line 0, from its start to its end.
    EXPECT_EQ(tokens[0], 0);
    EXPECT_EQ(tokens[1], 0);
    EXPECT_EQ(tokens[3], 0);
    const TJson workspace = client.Result("workspace/symbol", {{"query", "ask"}});
    EXPECT_EQ(workspace.size(), 2u);
}

} // namespace
} // namespace dialoscope::lsp::test
