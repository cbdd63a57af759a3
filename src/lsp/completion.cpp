// Completion: node names where a node is expected (after "@", a call, an OpenDialog start),
// message numbers with their texts inside a statement's parentheses, else keywords and nodes.
#include "features.h"

namespace dialoscope::lsp {

namespace {

// The protocol's CompletionItemKind values used here.
constexpr int KindFunction = 3;
constexpr int KindKeyword = 14;
constexpr int KindValue = 12;

// At most this many message numbers: a message file may hold tens of thousands.
constexpr std::size_t MessageItemLimit = 500;

enum class TExpected : std::uint8_t { Node, Message, Anything };

struct TTypedWord {
    std::size_t Begin = 0; // byte column where the word being typed starts
    std::string_view Text;
};

TTypedWord WordBefore(std::string_view line, std::size_t column) {
    std::size_t begin = std::min(column, line.size());
    while (begin > 0 && IsWordByte(line[begin - 1])) {
        --begin;
    }
    return {begin, line.substr(begin, std::min(column, line.size()) - begin)};
}

char ByteBefore(std::string_view line, std::size_t column) {
    while (column > 0 && (line[column - 1] == ' ' || line[column - 1] == '\t')) {
        --column;
    }
    return column > 0 ? line[column - 1] : '\0';
}

// Whether the line has an unclosed "(" before the column.
bool InsideParentheses(std::string_view line, std::size_t column) {
    int depth = 0;
    for (std::size_t i = 0; i < column && i < line.size(); ++i) {
        depth += line[i] == '(' ? 1 : line[i] == ')' ? -1 : 0;
    }
    return depth > 0;
}

TExpected ExpectedAt(std::string_view line, const TTypedWord& word) {
    const char before = ByteBefore(line, word.Begin);
    if (before == '@') {
        return TExpected::Node;
    }
    const std::string_view head = line.substr(0, word.Begin);
    if (head.find("OpenDialog") != std::string_view::npos) {
        return TExpected::Node;
    }
    const bool digits = !word.Text.empty() && word.Text[0] >= '0' && word.Text[0] <= '9';
    if (digits || ((before == '(' || before == ',') && InsideParentheses(line, word.Begin))) {
        return TExpected::Message;
    }
    return TExpected::Anything;
}

void AddNodes(const TFeatureContext& context, TJson& items) {
    for (const TNodeKeep& node : context.Analysis.Ws->Nodes) {
        items.push_back({{"label", context.Text(node.Name)},
                         {"kind", KindFunction},
                         {"detail", "node, line " + std::to_string(node.Line)}});
    }
}

void AddMessages(const TFeatureContext& context, std::string_view typed, TJson& items) {
    std::size_t added = 0;
    for (const TMessageEntry& entry : context.Analysis.Entries.Entries) {
        const std::string number = std::to_string(entry.Number);
        if (number.compare(0, typed.size(), typed) != 0 || ++added > MessageItemLimit) {
            continue;
        }
        items.push_back({{"label", number},
                         {"kind", KindValue},
                         {"detail", context.Text(entry.Text)},
                         {"sortText", std::string(10 - std::min<std::size_t>(10, number.size()), '0') + number}});
    }
}

void AddKeywords(const TFeatureContext& context, TJson& items) {
    for (const std::string& keyword : context.Analysis.Ws->Scanner.Keywords()) {
        items.push_back({{"label", keyword}, {"kind", KindKeyword}});
    }
}

} // namespace

TJson ScriptCompletion(const TFeatureContext& context, TPosition position) {
    const TEncodedText& script = context.Analysis.Script;
    const std::string_view line = script.Line(position.Line);
    const std::size_t column = script.ByteColumn(position.Line, position.Character);
    const TTypedWord word = WordBefore(line, column);
    TJson items = TJson::array();
    switch (ExpectedAt(line, word)) {
    case TExpected::Node:
        AddNodes(context, items);
        break;
    case TExpected::Message:
        AddMessages(context, word.Text, items);
        break;
    case TExpected::Anything:
        AddNodes(context, items);
        AddKeywords(context, items);
        break;
    }
    return {{"isIncomplete", false}, {"items", std::move(items)}};
}

} // namespace dialoscope::lsp
