// The server's feature requests: each finds the document's analysis and hands it to the
// feature's plain function.
#include "server.h"

#include "params.h"

namespace dialoscope::lsp {

namespace {

bool IsScript(const TDocument& document) {
    return document.Language() == TLanguage::Script;
}

} // namespace

std::optional<TServer::TDocumentContext> TServer::ContextOf(const TJson& params) {
    const TDocument& document = DocumentOf(params);
    if (document.Language() == TLanguage::Other) {
        return std::nullopt;
    }
    const std::string script = ScriptPathOf(document);
    std::shared_ptr<const TScriptAnalysis> analysis = AnalysisFor(script);
    const TScriptAnalysis& analysed = *analysis;
    return TDocumentContext{document, std::move(analysis),
                            TFeatureContext{analysed, *CodePage_, *this, Index_.get(),
                                            OriginalPathFor(script)}};
}

TJson TServer::Hover(const TJson& params) {
    const std::optional<TDocumentContext> found = ContextOf(params);
    if (!found) {
        return nullptr;
    }
    const TFeatureContext& context = found->Context;
    const TPosition position = PositionMember(params, "position");
    return IsScript(found->Document) ? ScriptHover(context, position)
                                     : MessageHover(context, position.Line);
}

TJson TServer::Definition(const TJson& params) {
    const std::optional<TDocumentContext> found = ContextOf(params);
    if (!found) {
        return nullptr;
    }
    const TFeatureContext& context = found->Context;
    const TPosition position = PositionMember(params, "position");
    return IsScript(found->Document) ? ScriptDefinition(context, position)
                                     : MessageReferences(context, position.Line, false);
}

TJson TServer::References(const TJson& params) {
    const std::optional<TDocumentContext> found = ContextOf(params);
    if (!found) {
        return nullptr;
    }
    const TFeatureContext& context = found->Context;
    const TPosition position = PositionMember(params, "position");
    bool withDeclaration = true;
    if (params.contains("context") && params["context"].is_object()) {
        withDeclaration = params["context"].value("includeDeclaration", true);
    }
    return IsScript(found->Document) ? ScriptReferences(context, position, withDeclaration)
                                     : MessageReferences(context, position.Line, withDeclaration);
}

TJson TServer::PrepareRenameRequest(const TJson& params) {
    const std::optional<TDocumentContext> found = ContextOf(params);
    if (!found) {
        return nullptr;
    }
    const TFeatureContext& context = found->Context;
    if (!IsScript(found->Document)) {
        throw ELspError(TErrorCode::RequestFailed, "only node names are renamed");
    }
    return PrepareRename(context, PositionMember(params, "position"));
}

TJson TServer::RenameRequest(const TJson& params) {
    const std::optional<TDocumentContext> found = ContextOf(params);
    if (!found) {
        return nullptr;
    }
    const TFeatureContext& context = found->Context;
    if (!IsScript(found->Document)) {
        throw ELspError(TErrorCode::RequestFailed, "only node names are renamed");
    }
    return Rename(context, PositionMember(params, "position"), StringMember(params, "newName"));
}

TJson TServer::Completion(const TJson& params) {
    const std::optional<TDocumentContext> found = ContextOf(params);
    if (!found) {
        return nullptr;
    }
    const TFeatureContext& context = found->Context;
    if (!IsScript(found->Document)) {
        return TJson::array();
    }
    return ScriptCompletion(context, PositionMember(params, "position"));
}

TJson TServer::DocumentSymbols(const TJson& params) {
    const std::optional<TDocumentContext> found = ContextOf(params);
    if (!found) {
        return nullptr;
    }
    const TFeatureContext& context = found->Context;
    return IsScript(found->Document) ? ScriptSymbols(context) : MessageSymbols(context);
}

TJson TServer::WorkspaceSymbolsRequest(const TJson& params) {
    const std::string query = params.is_object() ? params.value("query", std::string()) : "";
    TProjectIndex merged;
    // What the editor holds wins over the saved files the index read.
    std::set<std::string> open;
    for (const auto& [uri, document] : Documents_) {
        if (IsScript(document)) {
            open.insert(document.Path());
            AddToIndex(merged, *AnalysisFor(document.Path()), *CodePage_);
        }
    }
    if (Index_) {
        for (const TIndexedNode& node : Index_->Nodes) {
            if (!open.contains(node.Path)) {
                merged.Nodes.push_back(node);
            }
        }
    }
    return WorkspaceSymbols(merged, query);
}

TJson TServer::SemanticTokensFull(const TJson& params) {
    const std::optional<TDocumentContext> found = ContextOf(params);
    if (!found) {
        return nullptr;
    }
    const TFeatureContext& context = found->Context;
    if (!IsScript(found->Document)) {
        return {{"data", TJson::array()}};
    }
    return SemanticTokens(context);
}

TJson TServer::FoldingRange(const TJson& params) {
    const std::optional<TDocumentContext> found = ContextOf(params);
    if (!found) {
        return nullptr;
    }
    const TFeatureContext& context = found->Context;
    return IsScript(found->Document) ? FoldingRanges(context) : TJson::array();
}

TJson TServer::CodeLens(const TJson& params) {
    const std::optional<TDocumentContext> found = ContextOf(params);
    if (!found) {
        return nullptr;
    }
    const TFeatureContext& context = found->Context;
    return IsScript(found->Document) ? CodeLenses(context) : TJson::array();
}

TJson TServer::CodeAction(const TJson& params) {
    const std::optional<TDocumentContext> found = ContextOf(params);
    if (!found) {
        return nullptr;
    }
    const TFeatureContext& context = found->Context;
    TJson diagnostics = TJson::array();
    if (params.contains("context") && params["context"].is_object() &&
        params["context"].contains("diagnostics") && params["context"]["diagnostics"].is_array()) {
        diagnostics = params["context"]["diagnostics"];
    }
    return CodeActions(context, diagnostics);
}

} // namespace dialoscope::lsp
