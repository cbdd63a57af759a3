#pragma once
// The editor features, each a plain function from an analysed script (and for message files the
// message file's place) to the protocol's answer. They read the analysis and never change it.

#include "places.h"
#include "project_index.h"
#include "protocol.h"
#include "script_analysis.h"

#include "text/code_page.h"

#include <map>
#include <optional>
#include <string>

namespace dialoscope::lsp {

// What every feature reads beside the analysis.
struct TFeatureContext {
    const TScriptAnalysis& Analysis;
    const TTextCodePage& CodePage;
    const TFileSource& Files;
    const TProjectIndex* Index = nullptr; // the project's scripts, once indexed
    std::optional<std::string> OriginalPath; // the original of the message file, if set

    std::string ScriptUri() const;
    std::string MessageUri() const;
    std::string Text(std::string_view bytes) const { return CodePage.ToUtf8(bytes); }
};

TJson RangeJson(const TRange& range);
TJson LocationJson(const std::string& uri, const TRange& range);
// A 1-based line of a file the analysis does not hold (another script's message file, the
// original), as an editor range over the whole line.
TRange FileLineRange(const TFileSource& files, const std::string& path, std::int32_t line);

// Diagnostics: every finding at its place, by file URI (the script, its message file, the
// original), with the characters the code page cannot hold on the script.
std::map<std::string, TJson> Diagnostics(const TFeatureContext& context);

// In a script.
TJson ScriptHover(const TFeatureContext& context, TPosition position);
TJson ScriptDefinition(const TFeatureContext& context, TPosition position);
TJson ScriptReferences(const TFeatureContext& context, TPosition position, bool withDeclaration);
TJson PrepareRename(const TFeatureContext& context, TPosition position);
TJson Rename(const TFeatureContext& context, TPosition position, const std::string& newName);
TJson ScriptCompletion(const TFeatureContext& context, TPosition position);
TJson ScriptSymbols(const TFeatureContext& context);
TJson SemanticTokens(const TFeatureContext& context);
TJson SemanticTokensLegend();
TJson FoldingRanges(const TFeatureContext& context);
TJson CodeLenses(const TFeatureContext& context);
TJson CodeActions(const TFeatureContext& context, const TJson& diagnostics);

// In the script's message file: line is 0-based.
TJson MessageHover(const TFeatureContext& context, std::int32_t line);
TJson MessageReferences(const TFeatureContext& context, std::int32_t line, bool withDeclaration);
TJson MessageSymbols(const TFeatureContext& context);

// Nodes of the project's scripts whose names hold query (ASCII letter case ignored).
TJson WorkspaceSymbols(const TProjectIndex& index, std::string_view query);

} // namespace dialoscope::lsp
