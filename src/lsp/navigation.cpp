// Definition, references and rename: a node's places in its script, a message number's uses
// across the project and its line in the message file.
#include "features.h"

#include "uri.h"

#include "checks/other_script_messages.h"
#include "scanner/ascii.h"

#include <filesystem>

namespace dialoscope::lsp {

namespace {

bool IsDeclaration(TNodeRefKind kind) {
    return kind == TNodeRefKind::Function || kind == TNodeRefKind::Forward;
}

std::optional<TJson> OwnMessageLine(const TFeatureContext& context, std::int32_t number) {
    const TMessageEntry* entry = context.Analysis.Entries.Find(number);
    if (!entry) {
        return std::nullopt;
    }
    return LocationJson(context.MessageUri(), context.Analysis.Messages.LineRange(entry->Line - 1));
}

// Another script's message file and the line of a number in it.
std::optional<TJson> OtherMessageLine(const TFeatureContext& context, std::int32_t script,
                                      std::int32_t number) {
    const TScriptAnalysis& analysis = context.Analysis;
    const std::string folder = FolderOf(analysis.Input.ScriptPath);
    TOtherScriptMessages others(analysis.Ws->ScriptList, folder);
    const TOtherScript& other = others.Script(script);
    if (other.State != TOtherScriptState::Loaded) {
        return std::nullopt;
    }
    const std::string path = (std::filesystem::path(folder) / other.MsgFileName).string();
    const TMessageEntry* entry = other.Messages.Find(number);
    const std::int32_t line = entry ? entry->Line : 1;
    return LocationJson(UriOfPath(path), FileLineRange(context.Files, path, line));
}

// The "k,n" uses of the project's other scripts that mean message number of script k.
void AddIndexedUses(const TFeatureContext& context, std::int32_t script, std::int32_t number,
                    TJson& locations) {
    if (!context.Index || script <= 0) {
        return;
    }
    for (const TIndexedMessageRef& ref : context.Index->OtherScriptRefs) {
        if (ref.Script == script && ref.Number == number &&
            ref.Path != context.Analysis.Input.ScriptPath) {
            locations.push_back(LocationJson(UriOfPath(ref.Path), ref.Range));
        }
    }
}

TJson OwnMessageUses(const TFeatureContext& context, std::int32_t number, bool withDeclaration) {
    TJson locations = TJson::array();
    if (withDeclaration) {
        if (std::optional<TJson> line = OwnMessageLine(context, number)) {
            locations.push_back(std::move(*line));
        }
    }
    for (const TMsgPlace& place : MessagePlaces(context.Analysis, number)) {
        locations.push_back(LocationJson(context.ScriptUri(), place.Range));
    }
    AddIndexedUses(context, context.Analysis.Ws->ScriptIndex, number, locations);
    return locations;
}

TJson OtherMessageUses(const TFeatureContext& context, const TSymbolAt& symbol,
                       bool withDeclaration) {
    TJson locations = TJson::array();
    if (withDeclaration) {
        if (std::optional<TJson> line = OtherMessageLine(context, symbol.Script, symbol.Number)) {
            locations.push_back(std::move(*line));
        }
    }
    for (const TMsgPlace& place : AllMessagePlaces(context.Analysis)) {
        if (place.Use.Value.Kind == TMsgRefKind::OtherScript &&
            place.Use.Value.Script == symbol.Script && place.Use.Value.Number == symbol.Number) {
            locations.push_back(LocationJson(context.ScriptUri(), place.Range));
        }
    }
    AddIndexedUses(context, symbol.Script, symbol.Number, locations);
    return locations;
}

TJson NodeUses(const TFeatureContext& context, const std::string& name, bool withDeclaration) {
    TJson locations = TJson::array();
    for (const TNodeRef& ref : NodeReferences(context.Analysis, name)) {
        if (withDeclaration || !IsDeclaration(ref.Kind)) {
            locations.push_back(LocationJson(context.ScriptUri(), ref.Range));
        }
    }
    return locations;
}

// The first line where the name stands in a form rename would not change: a token spelled
// with other letter case, or a string holding the name.
std::optional<std::int32_t> OtherFormLine(const TScriptAnalysis& analysis, std::string_view name,
                                          const std::vector<TNodeRef>& refs) {
    const TScanner& scanner = analysis.Ws->Scanner;
    std::size_t exact = 0;
    for (std::int32_t i = 0; i < scanner.TokenCount(); ++i) {
        const TTokenKind kind = scanner.KindAt(i);
        const std::string_view text = scanner.TextAt(i);
        if (kind == TTokenKind::Identifier && text == name) {
            ++exact;
        } else if ((kind == TTokenKind::Identifier || kind == TTokenKind::Keyword) &&
                   EqualIgnoringAsciiCase(text, name)) {
            return scanner.LineAt(i);
        } else if (kind == TTokenKind::String && text == name) {
            return scanner.LineAt(i);
        }
        if (exact > refs.size()) {
            return scanner.LineAt(i); // a use the analysis did not record as a node's
        }
    }
    return std::nullopt;
}

TJson WorkspaceEdit(const std::string& uri, TJson edits) {
    return {{"changes", {{uri, std::move(edits)}}}};
}

const TNodeKeep& RenamedNode(const TFeatureContext& context, const TSymbolAt& symbol) {
    const std::int32_t node = context.Analysis.FindNode(symbol.Name);
    if (symbol.Kind != TSymbolAt::TKind::Node || node < 0) {
        throw ELspError(TErrorCode::RequestFailed, "only the name of a node can be renamed here");
    }
    return context.Analysis.Ws->Nodes[static_cast<std::size_t>(node)];
}

} // namespace

TJson ScriptDefinition(const TFeatureContext& context, TPosition position) {
    const TScriptAnalysis& analysis = context.Analysis;
    const TSymbolAt symbol = SymbolAt(analysis, position);
    switch (symbol.Kind) {
    case TSymbolAt::TKind::Node: {
        const std::int32_t node = analysis.FindNode(symbol.Name);
        if (node < 0) {
            return nullptr;
        }
        const std::int32_t line = analysis.Ws->Nodes[static_cast<std::size_t>(node)].Line;
        return LocationJson(context.ScriptUri(), WordRange(analysis.Script, line, symbol.Name));
    }
    case TSymbolAt::TKind::Message:
        return OwnMessageLine(context, symbol.Number).value_or(nullptr);
    case TSymbolAt::TKind::OtherMessage:
        return OtherMessageLine(context, symbol.Script, symbol.Number).value_or(nullptr);
    case TSymbolAt::TKind::None:
        break;
    }
    return nullptr;
}

TJson ScriptReferences(const TFeatureContext& context, TPosition position, bool withDeclaration) {
    const TSymbolAt symbol = SymbolAt(context.Analysis, position);
    switch (symbol.Kind) {
    case TSymbolAt::TKind::Node:
        return NodeUses(context, symbol.Name, withDeclaration);
    case TSymbolAt::TKind::Message:
        return OwnMessageUses(context, symbol.Number, withDeclaration);
    case TSymbolAt::TKind::OtherMessage:
        return OtherMessageUses(context, symbol, withDeclaration);
    case TSymbolAt::TKind::None:
        break;
    }
    return nullptr;
}

TJson MessageReferences(const TFeatureContext& context, std::int32_t line, bool withDeclaration) {
    const TMessageEntry* entry = context.Analysis.EntryAtLine(line);
    return entry ? OwnMessageUses(context, entry->Number, withDeclaration) : TJson(nullptr);
}

TJson PrepareRename(const TFeatureContext& context, TPosition position) {
    const TSymbolAt symbol = SymbolAt(context.Analysis, position);
    const TNodeKeep& node = RenamedNode(context, symbol);
    return {{"range", RangeJson(symbol.Range)}, {"placeholder", context.Text(node.Name)}};
}

TJson Rename(const TFeatureContext& context, TPosition position, const std::string& newName) {
    const TScriptAnalysis& analysis = context.Analysis;
    const TSymbolAt symbol = SymbolAt(analysis, position);
    RenamedNode(context, symbol);
    if (!IsIdentifier(newName)) {
        throw ELspError(TErrorCode::RequestFailed,
                        "\"" + newName +
                            "\" is no node name: letters, digits and _, not first a digit");
    }
    if (analysis.Ws->Scanner.IsKeyword(newName)) {
        throw ELspError(TErrorCode::RequestFailed, "\"" + newName + "\" is a keyword");
    }
    if (analysis.FindNode(newName) >= 0) {
        throw ELspError(TErrorCode::RequestFailed,
                        "a node named \"" + newName + "\" exists already");
    }
    const std::vector<TNodeRef> refs = NodeReferences(analysis, symbol.Name);
    if (const std::optional<std::int32_t> line = OtherFormLine(analysis, symbol.Name, refs)) {
        throw ELspError(TErrorCode::RequestFailed,
                        "\"" + context.Text(symbol.Name) + "\" also stands at line " +
                            std::to_string(*line) +
                            " in a form rename does not change (other letter case, a string or "
                            "an expression); change it there first");
    }
    TJson edits = TJson::array();
    for (const TNodeRef& ref : refs) {
        edits.push_back({{"range", RangeJson(ref.Range)}, {"newText", newName}});
    }
    return WorkspaceEdit(context.ScriptUri(), std::move(edits));
}

} // namespace dialoscope::lsp
