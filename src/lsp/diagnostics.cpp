#include "features.h"
#include "uri.h"

#include <cstdio>

namespace dialoscope::lsp {

namespace {

enum class TDiagnosticSeverity : int { Error = 1, Warning = 2 };

// The first name a finding's text quotes: "answer target \"Greting\" names no node".
std::optional<std::string> FirstQuoted(std::string_view text, std::size_t from = 0) {
    const std::size_t open = text.find('"', from);
    if (open == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t close = text.find('"', open + 1);
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(text.substr(open + 1, close - open - 1));
}

// The name a "did you mean" finding proposes.
std::optional<std::string> Suggestion(std::string_view text) {
    const std::size_t at = text.find("did you mean ");
    return at == std::string_view::npos ? std::nullopt : FirstQuoted(text, at);
}

// The word a finding is about, to narrow its range from the whole line to it.
std::optional<std::string> FocusWord(const TFinding& finding) {
    if (finding.MsgNumber) {
        return std::to_string(*finding.MsgNumber);
    }
    return FirstQuoted(finding.Text);
}

TRange FindingRange(const TEncodedText& text, const TFinding& finding) {
    const std::int32_t line0 = finding.Line > 0 ? finding.Line - 1 : 0;
    if (finding.Line <= 0) {
        return {{0, 0}, {0, 0}};
    }
    if (const std::optional<std::string> word = FocusWord(finding)) {
        if (const auto found = FindWord(text.Line(line0), *word)) {
            return text.RangeOf(line0, found->first, found->second);
        }
    }
    return text.LineRange(line0);
}

TJson FindingData(const TFeatureContext& context, const TFinding& finding) {
    TJson data = TJson::object();
    if (finding.MsgNumber) {
        data["number"] = *finding.MsgNumber;
    }
    if (finding.Kind == TFindingKind::MissingTarget) {
        if (const std::optional<std::string> name = FirstQuoted(finding.Text)) {
            data["target"] = context.Text(*name);
        }
        if (const std::optional<std::string> better = Suggestion(finding.Text)) {
            data["suggestion"] = context.Text(*better);
        }
    }
    return data;
}

TJson DiagnosticJson(const TFeatureContext& context, const TEncodedText& text,
                     const TFinding& finding) {
    TJson diagnostic = {
        {"range", RangeJson(FindingRange(text, finding))},
        {"severity", static_cast<int>(finding.Severity == TSeverity::Error
                                           ? TDiagnosticSeverity::Error
                                           : TDiagnosticSeverity::Warning)},
        {"code", std::string(KindWord(finding.Kind))},
        {"source", "dialoscope"},
        {"message", context.Text(finding.Text)},
    };
    const TJson data = FindingData(context, finding);
    if (!data.empty()) {
        diagnostic["data"] = data;
    }
    return diagnostic;
}

std::string CodePointText(char32_t c) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(c));
    return hex;
}

TJson UnencodableJson(const TFeatureContext& context, const TUnencodable& character) {
    return {{"range", RangeJson(character.Range)},
            {"severity", static_cast<int>(TDiagnosticSeverity::Error)},
            {"code", "unencodable-character"},
            {"source", "dialoscope"},
            {"message", "the character " + CodePointText(character.CodePoint) +
                            " has no byte in " + context.CodePage.Name() +
                            "; the file is analysed with \"?\" in its place and cannot be "
                            "saved in that code page"}};
}

} // namespace

std::map<std::string, TJson> Diagnostics(const TFeatureContext& context) {
    const TScriptAnalysis& analysis = context.Analysis;
    std::map<std::string, TJson> byUri;
    const std::string scriptUri = context.ScriptUri();
    const std::string messageUri = context.MessageUri();
    byUri[scriptUri] = TJson::array();
    byUri[messageUri] = TJson::array();
    std::optional<TEncodedText> original;
    for (const TFinding& finding : analysis.Findings) {
        switch (finding.Source) {
        case TFindingSource::Script:
            byUri[scriptUri].push_back(DiagnosticJson(context, analysis.Script, finding));
            break;
        case TFindingSource::Messages:
            byUri[messageUri].push_back(DiagnosticJson(context, analysis.Messages, finding));
            break;
        case TFindingSource::OriginalMessages:
            if (!original) {
                original = context.Files.Read(finding.File);
            }
            byUri[UriOfPath(finding.File)].push_back(
                DiagnosticJson(context, original ? *original : TEncodedText(), finding));
            break;
        case TFindingSource::ScriptList:
            break;
        }
    }
    for (const TUnencodable& character : analysis.Script.Unencodable()) {
        byUri[scriptUri].push_back(UnencodableJson(context, character));
    }
    for (const TUnencodable& character : analysis.Messages.Unencodable()) {
        byUri[messageUri].push_back(UnencodableJson(context, character));
    }
    return byUri;
}

} // namespace dialoscope::lsp
