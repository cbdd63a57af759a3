// Document symbols (a script's header sections and nodes, a message file's messages) and the
// workspace symbols (the nodes of every script of the project).
#include "features.h"

#include "uri.h"

#include "analysis/load.h"
#include "scanner/ascii.h"

namespace dialoscope::lsp {

namespace {

// The protocol's SymbolKind values used here.
constexpr int SymbolNamespace = 3;
constexpr int SymbolFunction = 12;
constexpr int SymbolConstant = 14;

// At most this many workspace symbols in one answer.
constexpr std::size_t WorkspaceSymbolLimit = 1000;

struct THeaderSection {
    std::string Name;
    std::int32_t FirstLine = 0; // 1-based
};

// The header's sections in script order: each "script", "uses" and "var" keyword before the
// first node, and the run of forward declarations.
std::vector<THeaderSection> HeaderSections(const TScriptAnalysis& analysis,
                                           std::int32_t firstNodeLine) {
    std::vector<THeaderSection> sections;
    const TScanner& scanner = analysis.Ws->Scanner;
    for (std::int32_t i = 0; i < scanner.TokenCount(); ++i) {
        const std::int32_t line = scanner.LineAt(i);
        if (line >= firstNodeLine) {
            break;
        }
        if (scanner.KindAt(i) != TTokenKind::Keyword) {
            continue;
        }
        const std::string word = AsciiLowerCase(scanner.TextAt(i));
        if (word == "script" || word == "uses" || word == "var") {
            sections.push_back({word, line});
        }
    }
    if (!analysis.Forwards.empty() && analysis.Forwards.front().Line < firstNodeLine) {
        sections.push_back({"forward", analysis.Forwards.front().Line});
    }
    std::stable_sort(
        sections.begin(), sections.end(),
        [](const THeaderSection& a, const THeaderSection& b) { return a.FirstLine < b.FirstLine; });
    return sections;
}

// A section ends before the next section, or before the first node, or at the last line of its
// own kind of content: whichever comes first, trailing blank lines left out.
std::int32_t SectionEnd(const TScriptAnalysis& analysis, std::int32_t first, std::int32_t next) {
    std::int32_t last = std::max(first, next - 1);
    while (last > first &&
           analysis.Script.Line(last - 1).find_first_not_of(" \t") == std::string_view::npos) {
        --last;
    }
    return last;
}

TJson Symbol(std::string name, int kind, const TRange& range, const TRange& selection,
             std::string detail) {
    return {{"name", std::move(name)},
            {"kind", kind},
            {"range", RangeJson(range)},
            {"selectionRange", RangeJson(selection)},
            {"detail", std::move(detail)}};
}

std::int32_t FirstNodeLine(const TScriptAnalysis& analysis) {
    std::int32_t first = analysis.Script.LineCount() + 1;
    for (const TNodeKeep& node : analysis.Ws->Nodes) {
        if (node.Line > 0) {
            first = std::min(first, node.Line);
        }
    }
    return first;
}

void AddSections(const TFeatureContext& context, TJson& symbols) {
    const TScriptAnalysis& analysis = context.Analysis;
    const std::int32_t firstNode = FirstNodeLine(analysis);
    const std::vector<THeaderSection> sections = HeaderSections(analysis, firstNode);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const std::int32_t next = i + 1 < sections.size() ? sections[i + 1].FirstLine : firstNode;
        const std::int32_t last = SectionEnd(analysis, sections[i].FirstLine, next);
        const std::int32_t first0 = sections[i].FirstLine - 1;
        const TRange range{{first0, 0},
                           {last - 1, analysis.Script.Utf16Column(last - 1, std::string::npos)}};
        symbols.push_back(Symbol(sections[i].Name, SymbolNamespace, range,
                                 analysis.Script.LineRange(first0), "header"));
    }
}

// A node runs from its "function" line to the last line of its body.
TRange NodeRange(const TScriptAnalysis& analysis, const TNodeKeep& node) {
    const std::int32_t first0 = node.Line - 1;
    std::int32_t last0 = first0;
    const TLineRange body = node.BodyLines();
    if (body.Last >= body.First && body.Last > last0) {
        last0 = body.Last;
    }
    return {{first0, 0}, {last0, analysis.Script.Utf16Column(last0, std::string::npos)}};
}

} // namespace

TJson ScriptSymbols(const TFeatureContext& context) {
    const TScriptAnalysis& analysis = context.Analysis;
    TJson symbols = TJson::array();
    AddSections(context, symbols);
    for (const TNodeKeep& node : analysis.Ws->Nodes) {
        if (node.Line <= 0) {
            continue;
        }
        symbols.push_back(Symbol(context.Text(node.Name), SymbolFunction, NodeRange(analysis, node),
                                 WordRange(analysis.Script, node.Line, node.Name), "node"));
    }
    return symbols;
}

TJson MessageSymbols(const TFeatureContext& context) {
    const TScriptAnalysis& analysis = context.Analysis;
    TJson symbols = TJson::array();
    for (const TMessageEntry& entry : analysis.Entries.Entries) {
        const TRange line = analysis.Messages.LineRange(entry.Line - 1);
        symbols.push_back(Symbol(std::to_string(entry.Number), SymbolConstant, line, line,
                                 context.Text(entry.Text)));
    }
    return symbols;
}

TJson WorkspaceSymbols(const TProjectIndex& index, std::string_view query) {
    const std::string wanted = AsciiLowerCase(query);
    TJson symbols = TJson::array();
    for (const TIndexedNode& node : index.Nodes) {
        if (symbols.size() >= WorkspaceSymbolLimit) {
            break;
        }
        if (AsciiLowerCase(node.Name).find(wanted) == std::string::npos) {
            continue;
        }
        symbols.push_back({{"name", node.Name},
                           {"kind", SymbolFunction},
                           {"location", LocationJson(UriOfPath(node.Path), node.Range)},
                           {"containerName", FileNamePart(node.Path)}});
    }
    return symbols;
}

} // namespace dialoscope::lsp
