// Semantic tokens: the output pane's colouring rules line by line, the script's block comments
// (which those rules do not know) over them, and node names as functions.
#include "block_comments.h"
#include "features.h"

#include "highlight/highlight_engine.h"

#include <array>

namespace dialoscope::lsp {

namespace {

enum class TTokenType : int {
    Comment,
    Number,
    String,
    Operator,
    Keyword,
    Variable,
    Macro,
    Function,
    Type,
    None = -1
};

constexpr std::array<std::string_view, 9> TokenTypeNames = {
    "comment", "number", "string", "operator", "keyword", "variable", "macro", "function", "type"};

TTokenType TypeOf(TColorEntry entry) {
    switch (entry) {
    case TColorEntry::Comment:
        return TTokenType::Comment;
    case TColorEntry::Number:
        return TTokenType::Number;
    case TColorEntry::Strings:
        return TTokenType::String;
    case TColorEntry::Symbol:
        return TTokenType::Operator;
    case TColorEntry::Reserved:
    case TColorEntry::Statement:
        return TTokenType::Keyword;
    case TColorEntry::Identifer:
        return TTokenType::Variable;
    case TColorEntry::Preproc:
        return TTokenType::Macro;
    case TColorEntry::FunctionCall:
        return TTokenType::Function;
    case TColorEntry::Declaration:
        return TTokenType::Type;
    default:
        return TTokenType::None;
    }
}

// Collects tokens in order and writes them in the protocol's relative form.
class TTokenWriter {
public:
    void Add(std::int32_t line, std::int32_t start, std::int32_t end, TTokenType type) {
        if (end <= start || type == TTokenType::None) {
            return;
        }
        const std::int32_t deltaLine = line - Line_;
        const std::int32_t deltaStart = deltaLine == 0 ? start - Start_ : start;
        Data_.insert(Data_.end(), {deltaLine, deltaStart, end - start, static_cast<int>(type), 0});
        Line_ = line;
        Start_ = start;
    }
    TJson Take() { return TJson{{"data", std::move(Data_)}}; }

private:
    std::vector<std::int32_t> Data_;
    std::int32_t Line_ = 0;
    std::int32_t Start_ = 0;
};

// The byte ranges of a line that block comments cover, in order.
using TCovered = std::vector<std::pair<std::size_t, std::size_t>>;

std::vector<TCovered> CoveredByLine(const TScriptAnalysis& analysis) {
    std::vector<TCovered> covered(static_cast<std::size_t>(analysis.Script.LineCount()));
    for (const TBlockComment& comment : BlockComments(analysis)) {
        for (std::int32_t line = comment.FirstLine; line <= comment.LastLine; ++line) {
            const std::size_t begin = line == comment.FirstLine ? comment.FirstByte : 0;
            const std::size_t end =
                line == comment.LastLine ? comment.EndByte : analysis.Script.Line(line).size();
            covered[static_cast<std::size_t>(line)].emplace_back(begin, end);
        }
    }
    return covered;
}

bool Overlaps(const TCovered& covered, std::size_t begin, std::size_t end) {
    for (const auto& [b, e] : covered) {
        if (begin < e && b < end) {
            return true;
        }
    }
    return false;
}

} // namespace

TJson SemanticTokensLegend() {
    TJson types = TJson::array();
    for (const std::string_view name : TokenTypeNames) {
        types.push_back(name);
    }
    return {{"tokenTypes", types}, {"tokenModifiers", TJson::array()}};
}

TJson SemanticTokens(const TFeatureContext& context) {
    const TScriptAnalysis& analysis = context.Analysis;
    const TEncodedText& script = analysis.Script;
    const std::vector<TCovered> covered = CoveredByLine(analysis);
    THighlightEngine engine;
    std::vector<TColourRun> runs;
    TLineState state = TLineState::Plain;
    TTokenWriter writer;
    for (std::int32_t line = 0; line < script.LineCount(); ++line) {
        const std::string_view text = script.Line(line);
        const TCovered& comments = covered[static_cast<std::size_t>(line)];
        engine.ColourLine(text, state);
        state = engine.LineEndState(text, state);
        engine.CharAttrRuns(runs);
        std::size_t nextComment = 0;
        for (const TColourRun& run : runs) {
            const std::size_t end = run.Start + run.Length;
            // Comments first where they start before this run, so tokens stay in order.
            while (nextComment < comments.size() && comments[nextComment].first <= run.Start) {
                const auto [b, e] = comments[nextComment++];
                writer.Add(line, script.Utf16Column(line, b), script.Utf16Column(line, e),
                           TTokenType::Comment);
            }
            if (Overlaps(comments, run.Start, end)) {
                continue;
            }
            TTokenType type = TypeOf(run.Entry);
            if (type == TTokenType::Variable &&
                analysis.FindNode(text.substr(run.Start, run.Length)) >= 0) {
                type = TTokenType::Function;
            }
            writer.Add(line, script.Utf16Column(line, run.Start), script.Utf16Column(line, end),
                       type);
        }
        for (; nextComment < comments.size(); ++nextComment) {
            const auto [b, e] = comments[nextComment];
            writer.Add(line, script.Utf16Column(line, b), script.Utf16Column(line, e),
                       TTokenType::Comment);
        }
    }
    return writer.Take();
}

} // namespace dialoscope::lsp
