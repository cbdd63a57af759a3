// Quick fixes for the findings the editor shows: create a missing node (its function and its
// forward declaration), take the name "did you mean" proposes, add a missing message line.
#include "features.h"

#include "analysis/load.h"

namespace dialoscope::lsp {

namespace {

std::string LineEndOf(const std::string& bytes) {
    return bytes.find("\r\n") != std::string::npos ? "\r\n" : "\n";
}

TJson TextEdit(const TRange& range, std::string text) {
    return {{"range", RangeJson(range)}, {"newText", std::move(text)}};
}

TJson Insertion(TPosition at, std::string text) {
    return TextEdit({at, at}, std::move(text));
}

TJson QuickFix(std::string title, const TJson& diagnostic, const std::string& uri, TJson edits) {
    return {{"title", std::move(title)},
            {"kind", "quickfix"},
            {"diagnostics", {diagnostic}},
            {"edit", {{"changes", {{uri, std::move(edits)}}}}}};
}

std::string_view Trimmed(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : line.substr(first);
}

// The script's final "end." line (0-based), or nothing.
std::optional<std::int32_t> FinalEndLine(const TEncodedText& script) {
    for (std::int32_t line = script.LineCount() - 1; line >= 0; --line) {
        const std::string_view text = Trimmed(script.Line(line));
        if (text.size() >= 4 && (text.substr(0, 4) == "end." || text.substr(0, 4) == "END." ||
                                 text.substr(0, 4) == "End.")) {
            return line;
        }
    }
    return std::nullopt;
}

TPosition EndOfText(const TEncodedText& text) {
    const std::int32_t last = text.LineCount() - 1;
    return {last, text.Utf16Column(last, std::string::npos)};
}

TJson CreateNode(const TFeatureContext& context, const TJson& diagnostic, const std::string& name) {
    const TScriptAnalysis& analysis = context.Analysis;
    const std::string eol = LineEndOf(analysis.Script.Bytes());
    const std::string& encoded = name; // UTF-8: the editor encodes it when it saves
    TJson edits = TJson::array();
    if (!analysis.Forwards.empty()) {
        const std::int32_t after = analysis.Forwards.back().Line; // 1-based: the next line, 0-based
        edits.push_back(Insertion({after, 0}, "function " + encoded + "; forward;" + eol));
    }
    const std::string function = "function " + encoded + ";" + eol + "begin" + eol + "end;" + eol;
    if (const std::optional<std::int32_t> end = FinalEndLine(analysis.Script)) {
        edits.push_back(Insertion({*end, 0}, function + eol));
    } else {
        edits.push_back(Insertion(EndOfText(analysis.Script), eol + function));
    }
    return QuickFix("Create node " + encoded, diagnostic, context.ScriptUri(), std::move(edits));
}

TJson TakeSuggestion(const TFeatureContext& context, const TJson& diagnostic,
                     const std::string& suggestion) {
    const TRange range{{diagnostic["range"]["start"]["line"].get<std::int32_t>(),
                        diagnostic["range"]["start"]["character"].get<std::int32_t>()},
                       {diagnostic["range"]["end"]["line"].get<std::int32_t>(),
                        diagnostic["range"]["end"]["character"].get<std::int32_t>()}};
    TJson edits = TJson::array({TextEdit(range, suggestion)});
    return QuickFix("Change to " + suggestion, diagnostic, context.ScriptUri(), std::move(edits));
}

// The new line goes after the last message below its number, so the file keeps number order.
TJson AddMessage(const TFeatureContext& context, const TJson& diagnostic, std::int32_t number) {
    const TScriptAnalysis& analysis = context.Analysis;
    const TEncodedText& messages = analysis.Messages;
    const std::string eol = LineEndOf(messages.Bytes());
    std::string line(1, '{');
    line.append(std::to_string(number)).append("}{}{}");
    std::int32_t after = 0; // 1-based line of the entry to follow; 0: at the end
    std::int32_t below = std::numeric_limits<std::int32_t>::min();
    for (const TMessageEntry& entry : analysis.Entries.Entries) {
        if (entry.Number < number && entry.Number >= below) {
            below = entry.Number;
            after = entry.Line;
        }
    }
    TJson edit;
    if (after > 0 && after < messages.LineCount()) {
        edit = Insertion({after, 0}, line + eol);
    } else {
        const TPosition end = EndOfText(messages);
        edit = Insertion(end, (end.Character == 0 && end.Line > 0 ? "" : eol) + line + eol);
    }
    return QuickFix("Add message " + std::to_string(number) + " to " +
                        context.Text(FileNamePart(analysis.MessagePath)),
                    diagnostic, context.MessageUri(), TJson::array({edit}));
}

void AddFixes(const TFeatureContext& context, const TJson& diagnostic, TJson& actions) {
    if (!diagnostic.is_object() || !diagnostic.contains("data") || !diagnostic["data"].is_object()) {
        return;
    }
    const std::string code = diagnostic.value("code", std::string());
    const TJson& data = diagnostic["data"];
    if (code == "missing-target" && data.contains("target") && data["target"].is_string()) {
        if (data.contains("suggestion") && data["suggestion"].is_string()) {
            actions.push_back(TakeSuggestion(context, diagnostic, data["suggestion"]));
        }
        const std::string target = data["target"];
        if (IsIdentifier(target)) {
            actions.push_back(CreateNode(context, diagnostic, target));
        }
    }
    if (code == "missing-message" && data.contains("number") && data["number"].is_number_integer() &&
        context.Analysis.MessagesFound) {
        actions.push_back(AddMessage(context, diagnostic, data["number"].get<std::int32_t>()));
    }
}

} // namespace

TJson CodeActions(const TFeatureContext& context, const TJson& diagnostics) {
    TJson actions = TJson::array();
    for (const TJson& diagnostic : diagnostics) {
        try {
            AddFixes(context, diagnostic, actions);
        } catch (const TJson::exception&) {
            // A diagnostic the client changed on the way back gets no fix.
        }
    }
    return actions;
}

} // namespace dialoscope::lsp
