#include "places.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace dialoscope::lsp {

namespace {

std::string_view ScriptLine(const TScriptAnalysis& analysis, std::int32_t line1) {
    return analysis.Script.Line(line1 - 1);
}

// The number's first whole-word place on the line; for another script's message the one after
// a comma, so that "3,205" gives 205 and not the 3 of "Say(Self, 3, 3,205)".
std::optional<std::pair<std::size_t, std::size_t>> FindMessageNumber(std::string_view line,
                                                                      const TMsgRef& ref) {
    const std::string digits = std::to_string(ref.Number);
    std::size_t from = 0;
    while (auto found = FindWord(line, digits, from)) {
        if (ref.Kind != TMsgRefKind::OtherScript) {
            return found;
        }
        std::size_t before = found->first;
        while (before > 0 && (line[before - 1] == ' ' || line[before - 1] == '\t')) {
            --before;
        }
        if (before > 0 && line[before - 1] == ',') {
            return found;
        }
        from = found->second;
    }
    return std::nullopt;
}

TRange MessageRange(const TScriptAnalysis& analysis, const TMsgUse& use) {
    const std::int32_t line0 = use.Line - 1;
    const std::string_view line = ScriptLine(analysis, use.Line);
    const auto first = FindMessageNumber(line, use.Value);
    if (!first) {
        return analysis.Script.LineRange(line0);
    }
    std::size_t end = first->second;
    if (use.Value.Kind == TMsgRefKind::Range) {
        if (const auto high = FindWord(line, std::to_string(use.Value.High), first->second)) {
            end = high->second;
        }
    }
    return analysis.Script.RangeOf(line0, first->first, end);
}

bool Holds(const TMsgRef& ref, std::int32_t number) {
    switch (ref.Kind) {
    case TMsgRefKind::Single:
        return ref.Number == number;
    case TMsgRefKind::Range:
        return ref.First() <= number && number <= ref.Last();
    default:
        return false;
    }
}

// Adds the places of one name in order; two places on one line (a call in "then X else X")
// are the name's first and second whole-word occurrence there.
class TRefCollector {
public:
    TRefCollector(const TScriptAnalysis& analysis, std::string_view name)
        : Analysis_(analysis), Name_(name) {}

    void Add(TNodeRefKind kind, std::int32_t node, std::int32_t line) {
        if (line <= 0) {
            return;
        }
        const std::int32_t line0 = line - 1;
        const std::string_view text = Analysis_.Script.Line(line0);
        std::size_t& from = NextColumn_[line0];
        auto found = FindWord(text, Name_, from);
        if (!found) {
            found = FindWord(text, Name_);
        }
        if (!found) {
            Refs.push_back({kind, node, Analysis_.Script.LineRange(line0)});
            return;
        }
        from = found->second;
        Refs.push_back({kind, node, Analysis_.Script.RangeOf(line0, found->first, found->second)});
    }

    std::vector<TNodeRef> Refs;

private:
    const TScriptAnalysis& Analysis_;
    std::string_view Name_;
    std::map<std::int32_t, std::size_t> NextColumn_;
};

bool IsDigits(std::string_view word) {
    return !word.empty() &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The word of the line around a byte column: [begin, end), empty when none.
std::pair<std::size_t, std::size_t> WordAround(std::string_view line, std::size_t column) {
    std::size_t begin = std::min(column, line.size());
    std::size_t end = begin;
    while (begin > 0 && IsWordByte(line[begin - 1])) {
        --begin;
    }
    while (end < line.size() && IsWordByte(line[end])) {
        ++end;
    }
    return {begin, end};
}

std::optional<TSymbolAt> MessageAt(const TScriptAnalysis& analysis, std::int32_t line1,
                                   std::int32_t value) {
    for (const auto& [node, use] : analysis.MsgUses) {
        if (use.Line != line1) {
            continue;
        }
        TSymbolAt symbol;
        symbol.Ref = use.Value;
        if (Holds(use.Value, value)) {
            symbol.Kind = TSymbolAt::TKind::Message;
            symbol.Number = value;
            return symbol;
        }
        if (use.Value.Kind == TMsgRefKind::OtherScript &&
            (use.Value.Number == value || use.Value.Script == value)) {
            symbol.Kind = TSymbolAt::TKind::OtherMessage;
            symbol.Number = use.Value.Number;
            symbol.Script = use.Value.Script;
            return symbol;
        }
    }
    return std::nullopt;
}

bool NamesNode(const TScriptAnalysis& analysis, std::string_view word) {
    if (analysis.FindNode(word) >= 0) {
        return true;
    }
    for (const TNodeKeep& node : analysis.Ws->Nodes) {
        for (const TAnswer answer : node.Lists.Answers()) {
            if (answer.Target == word) {
                return true;
            }
        }
        for (const std::string_view jump : node.Lists.Jumps()) {
            if (jump == word) {
                return true;
            }
        }
    }
    return std::any_of(analysis.Reach.Starts.begin(), analysis.Reach.Starts.end(),
                       [&](const TDialogStart& start) { return start.Name == word; });
}

} // namespace

bool IsWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsIdentifier(std::string_view text) {
    return !text.empty() && !(text[0] >= '0' && text[0] <= '9') &&
           std::all_of(text.begin(), text.end(), IsWordByte);
}

std::optional<std::pair<std::size_t, std::size_t>> FindWord(std::string_view line,
                                                            std::string_view word,
                                                            std::size_t from) {
    if (word.empty()) {
        return std::nullopt;
    }
    for (std::size_t at = line.find(word, from); at != std::string_view::npos;
         at = line.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        const bool startsWord = at == 0 || !IsWordByte(line[at - 1]);
        const bool endsWord = end == line.size() || !IsWordByte(line[end]);
        if (startsWord && endsWord) {
            return std::make_pair(at, end);
        }
    }
    return std::nullopt;
}

TRange StartNameRange(const TScriptAnalysis& analysis, const TDialogStart& start) {
    const std::string& scanned = analysis.Ws->ScriptStream.Data();
    const char* begin = scanned.data();
    if (start.Name.data() >= begin && start.Name.data() + start.Name.size() <= begin + scanned.size()) {
        const auto offset = static_cast<std::size_t>(start.Name.data() - begin);
        const auto [line, column] = analysis.Script.PlaceOf(offset);
        return analysis.Script.RangeOf(line, column, column + start.Name.size());
    }
    return WordRange(analysis.Script, start.OpenDialogLine, start.Name);
}

TRange WordRange(const TEncodedText& text, std::int32_t line, std::string_view word) {
    const std::int32_t line0 = line - 1;
    if (const auto found = FindWord(text.Line(line0), word)) {
        return text.RangeOf(line0, found->first, found->second);
    }
    return text.LineRange(line0);
}

std::vector<TNodeRef> NodeReferences(const TScriptAnalysis& analysis, std::string_view name) {
    TRefCollector collector(analysis, name);
    const std::deque<TNodeKeep>& nodes = analysis.Ws->Nodes;
    for (const TForwardDeclaration& forward : analysis.Forwards) {
        if (forward.Name == name) {
            collector.Add(TNodeRefKind::Forward, -1, forward.Line);
        }
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const auto index = static_cast<std::int32_t>(i);
        if (nodes[i].Name == name) {
            collector.Add(TNodeRefKind::Function, index, nodes[i].Line);
        }
        for (const TAnswer answer : nodes[i].Lists.Answers()) {
            if (answer.Target == name) {
                collector.Add(TNodeRefKind::Answer, index, answer.Line);
            }
        }
        for (std::int32_t j = 0; j < nodes[i].JumpCount(); ++j) {
            if (nodes[i].Lists.Jump(j) == name) {
                collector.Add(TNodeRefKind::Call, index, nodes[i].Lists.JumpLine(j));
            }
        }
    }
    std::vector<TNodeRef> refs = std::move(collector.Refs);
    for (const TDialogStart& start : analysis.Reach.Starts) {
        if (start.Name == name) {
            refs.push_back({TNodeRefKind::DialogStart, analysis.NodeAtLine(start.OpenDialogLine),
                            StartNameRange(analysis, start)});
        }
    }
    const auto place = [](const TNodeRef& ref) {
        return std::make_tuple(ref.Range.Start, ref.Range.End);
    };
    std::stable_sort(refs.begin(), refs.end(),
                     [&](const TNodeRef& a, const TNodeRef& b) { return place(a) < place(b); });
    refs.erase(std::unique(refs.begin(), refs.end(),
                           [&](const TNodeRef& a, const TNodeRef& b) { return place(a) == place(b); }),
               refs.end());
    return refs;
}

std::vector<TMsgPlace> AllMessagePlaces(const TScriptAnalysis& analysis) {
    std::vector<TMsgPlace> places;
    places.reserve(analysis.MsgUses.size());
    for (const auto& [node, use] : analysis.MsgUses) {
        if (use.Line > 0 && use.Value.Kind != TMsgRefKind::Literal) {
            places.push_back({node, use, MessageRange(analysis, use)});
        }
    }
    return places;
}

std::vector<TMsgPlace> MessagePlaces(const TScriptAnalysis& analysis, std::int32_t number) {
    std::vector<TMsgPlace> places;
    for (const auto& [node, use] : analysis.MsgUses) {
        if (use.Line > 0 && Holds(use.Value, number)) {
            places.push_back({node, use, MessageRange(analysis, use)});
        }
    }
    return places;
}

TSymbolAt SymbolAt(const TScriptAnalysis& analysis, TPosition position) {
    const std::string_view line = analysis.Script.Line(position.Line);
    const std::size_t column = analysis.Script.ByteColumn(position.Line, position.Character);
    const auto [begin, end] = WordAround(line, column);
    const std::string_view word = line.substr(begin, end - begin);
    TSymbolAt none;
    if (word.empty()) {
        return none;
    }
    const TRange range = analysis.Script.RangeOf(position.Line, begin, end);
    if (IsDigits(word)) {
        if (word.size() > 9) {
            return none;
        }
        std::optional<TSymbolAt> message = MessageAt(analysis, position.Line + 1, std::stoi(std::string(word)));
        if (!message) {
            return none;
        }
        message->Range = range;
        return *message;
    }
    if (!IsIdentifier(word) || !NamesNode(analysis, word)) {
        return none;
    }
    TSymbolAt node;
    node.Kind = TSymbolAt::TKind::Node;
    node.Name = std::string(word);
    node.Range = range;
    return node;
}

} // namespace dialoscope::lsp
