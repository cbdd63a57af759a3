// The server's feature requests: each finds the document's analysis and hands it to the
// feature's plain function.
#include "server.h"

#include "params.h"

namespace dialoscope::lsp {

namespace {

bool IsScript(const TDocument& document) {
    return document.Language() == TLanguage::Script;
}

// Null for a document of neither language; otherwise what answer makes of the document's
// context, told whether the document is a script.
template <typename TFound, typename TAnswer>
TJson AnswerFor(const std::optional<TFound>& found, TAnswer answer) {
    if (!found) {
        return nullptr;
    }
    return answer(found->Context, IsScript(found->Document));
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
    return AnswerFor(ContextOf(params), [&](const TFeatureContext& context, bool script) -> TJson {
        const TPosition position = PositionMember(params, "position");
        return script ? ScriptHover(context, position) : MessageHover(context, position.Line);
    });
}

TJson TServer::Definition(const TJson& params) {
    return AnswerFor(ContextOf(params), [&](const TFeatureContext& context, bool script) -> TJson {
        const TPosition position = PositionMember(params, "position");
        return script ? ScriptDefinition(context, position)
                      : MessageReferences(context, position.Line, false);
    });
}

TJson TServer::References(const TJson& params) {
    return AnswerFor(ContextOf(params), [&](const TFeatureContext& context, bool script) -> TJson {
        const TPosition position = PositionMember(params, "position");
        bool withDeclaration = true;
        if (params.contains("context") && params["context"].is_object()) {
            withDeclaration = params["context"].value("includeDeclaration", true);
        }
        return script ? ScriptReferences(context, position, withDeclaration)
                      : MessageReferences(context, position.Line, withDeclaration);
    });
}

TJson TServer::PrepareRenameRequest(const TJson& params) {
    return AnswerFor(ContextOf(params), [&](const TFeatureContext& context, bool script) -> TJson {
        if (!script) {
            throw ELspError(TErrorCode::RequestFailed, "only node names are renamed");
        }
        return PrepareRename(context, PositionMember(params, "position"));
    });
}

TJson TServer::RenameRequest(const TJson& params) {
    return AnswerFor(ContextOf(params), [&](const TFeatureContext& context, bool script) -> TJson {
        if (!script) {
            throw ELspError(TErrorCode::RequestFailed, "only node names are renamed");
        }
        return Rename(context, PositionMember(params, "position"), StringMember(params, "newName"));
    });
}

TJson TServer::Completion(const TJson& params) {
    return AnswerFor(ContextOf(params), [&](const TFeatureContext& context, bool script) -> TJson {
        if (!script) {
            return TJson::array();
        }
        return ScriptCompletion(context, PositionMember(params, "position"));
    });
}

TJson TServer::DocumentSymbols(const TJson& params) {
    return AnswerFor(ContextOf(params), [&](const TFeatureContext& context, bool script) -> TJson {
        return script ? ScriptSymbols(context) : MessageSymbols(context);
    });
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
    return AnswerFor(ContextOf(params), [&](const TFeatureContext& context, bool script) -> TJson {
        if (!script) {
            return {{"data", TJson::array()}};
        }
        return SemanticTokens(context);
    });
}

TJson TServer::FoldingRange(const TJson& params) {
    return AnswerFor(ContextOf(params), [&](const TFeatureContext& context, bool script) -> TJson {
        return script ? FoldingRanges(context) : TJson::array();
    });
}

TJson TServer::CodeLens(const TJson& params) {
    return AnswerFor(ContextOf(params), [&](const TFeatureContext& context, bool script) -> TJson {
        return script ? CodeLenses(context) : TJson::array();
    });
}

TJson TServer::CodeAction(const TJson& params) {
    return AnswerFor(ContextOf(params), [&](const TFeatureContext& context, bool) -> TJson {
        TJson diagnostics = TJson::array();
        if (params.contains("context") && params["context"].is_object() &&
            params["context"].contains("diagnostics") &&
            params["context"]["diagnostics"].is_array()) {
            diagnostics = params["context"]["diagnostics"];
        }
        return CodeActions(context, diagnostics);
    });
}

} // namespace dialoscope::lsp
