#include "features.h"

#include "analysis/load.h"
#include "checks/other_script_messages.h"

namespace dialoscope::lsp {

namespace {

// At most this many texts or nodes in one hover, so a wide Rnd stays readable.
constexpr std::size_t HoverItemLimit = 12;

std::string_view SpeakerWord(const TMsgUse& use) {
    switch (use.Speaker) {
    case TSpeaker::Self:
        return "Self";
    case TSpeaker::Player:
        return "Player";
    case TSpeaker::Other:
        return use.SpeakerText;
    case TSpeaker::None:
        break;
    }
    return {};
}

std::string_view StatementWord(TSaidKind kind) {
    switch (kind) {
    case TSaidKind::Say:
        return "Say";
    case TSaidKind::Write:
        return "Write";
    case TSaidKind::SayWOAnswer:
        return "SayWOAnswer";
    case TSaidKind::SayForAnswer:
        return "SayForAnswer";
    case TSaidKind::Answer:
        return "Answer";
    }
    return {};
}

// The original message file, read once for a hover.
struct TOriginalTexts {
    TLineStore Lines;
    TMessageEntries Entries;
};

std::unique_ptr<TOriginalTexts> ReadOriginal(const TFeatureContext& context) {
    if (!context.OriginalPath) {
        return nullptr;
    }
    const std::optional<TEncodedText> text = context.Files.Read(*context.OriginalPath);
    if (!text) {
        return nullptr;
    }
    auto original = std::make_unique<TOriginalTexts>();
    original->Lines.SetText(text->Bytes());
    original->Entries = ReadMessageEntries(original->Lines);
    return original;
}

std::string MessageLine(const TFeatureContext& context, const TMessageEntries& entries,
                        std::int32_t number, const TOriginalTexts* original) {
    std::string line = "- **" + std::to_string(number) + "** ";
    const TMessageEntry* entry = entries.Find(number);
    line += entry ? context.Text(entry->Text) : std::string("*(not in the message file)*");
    if (original) {
        const TMessageEntry* source = original->Entries.Find(number);
        line += "  \n  original: ";
        line += source ? context.Text(source->Text) : std::string("*(not in the original)*");
    }
    return line + "\n";
}

const TMsgUse* UseOnLine(const TScriptAnalysis& analysis, std::int32_t line, const TMsgRef& ref) {
    for (const auto& [node, use] : analysis.MsgUses) {
        if (use.Line == line && use.Value == ref) {
            return &use;
        }
    }
    return nullptr;
}

std::string UseLine(const TFeatureContext& context, const TMsgUse* use) {
    if (!use) {
        return {};
    }
    std::string text = "\n*" + std::string(StatementWord(use->Statement)) + "*";
    const std::string_view speaker = SpeakerWord(*use);
    if (!speaker.empty()) {
        text += ", spoken by " + context.Text(speaker);
    }
    return text + "\n";
}

TJson MarkdownHover(std::string text, const TRange& range) {
    return {{"contents", {{"kind", "markdown"}, {"value", std::move(text)}}},
            {"range", RangeJson(range)}};
}

TJson OwnMessageHover(const TFeatureContext& context, const TSymbolAt& symbol,
                      std::int32_t line) {
    const TScriptAnalysis& analysis = context.Analysis;
    const std::unique_ptr<TOriginalTexts> original = ReadOriginal(context);
    std::string text;
    std::int32_t first = symbol.Number;
    std::int32_t last = symbol.Number;
    if (symbol.Ref.Kind == TMsgRefKind::Range) {
        first = symbol.Ref.First();
        last = symbol.Ref.Last();
        text = "Messages " + std::to_string(first) + "-" + std::to_string(last) + " of " +
               FileNamePart(analysis.MessagePath) + " (one at random)\n\n";
    } else {
        text = "Message " + std::to_string(first) + " of " + FileNamePart(analysis.MessagePath) +
               "\n\n";
    }
    for (std::int32_t n = first; n <= last && static_cast<std::size_t>(n - first) < HoverItemLimit;
         ++n) {
        text += MessageLine(context, analysis.Entries, n, original.get());
    }
    text += UseLine(context, UseOnLine(analysis, line, symbol.Ref));
    return MarkdownHover(std::move(text), symbol.Range);
}

TJson OtherMessageHover(const TFeatureContext& context, const TSymbolAt& symbol) {
    const TScriptAnalysis& analysis = context.Analysis;
    TOtherScriptMessages others(analysis.Ws->ScriptList, FolderOf(analysis.Input.ScriptPath));
    const TOtherScript& other = others.Script(symbol.Script);
    std::string text = "Message " + std::to_string(symbol.Number) + " of script " +
                       std::to_string(symbol.Script) + " in scripts.lst";
    if (other.State != TOtherScriptState::Loaded) {
        text += ": its message file " +
                (other.MsgFileName.empty() ? std::string("is not listed")
                                           : context.Text(other.MsgFileName) + " cannot be read");
        return MarkdownHover(std::move(text), symbol.Range);
    }
    text += " (" + context.Text(other.MsgFileName) + ")\n\n";
    text += MessageLine(context, other.Messages, symbol.Number, nullptr);
    return MarkdownHover(std::move(text), symbol.Range);
}

// The first text a node says: the text of its first message use of this script.
std::string FirstSaid(const TFeatureContext& context, const TNodeKeep& node) {
    for (const TMsgUse use : node.Lists.MsgUses()) {
        const bool range = use.Value.Kind == TMsgRefKind::Range;
        if (use.Value.Kind == TMsgRefKind::Single || range) {
            const std::int32_t first = range ? use.Value.First() : use.Value.Number;
            if (const TMessageEntry* entry = context.Analysis.Entries.Find(first)) {
                return context.Text(entry->Text);
            }
        }
    }
    return {};
}

std::string_view RefWord(TNodeRefKind kind) {
    switch (kind) {
    case TNodeRefKind::Answer:
        return "answer";
    case TNodeRefKind::Call:
        return "call";
    case TNodeRefKind::DialogStart:
        return "dialog start";
    default:
        return {};
    }
}

TJson NodeHover(const TFeatureContext& context, const TSymbolAt& symbol) {
    const TScriptAnalysis& analysis = context.Analysis;
    const std::int32_t index = analysis.FindNode(symbol.Name);
    std::string text = "node **" + context.Text(symbol.Name) + "**";
    if (index < 0) {
        text += ": no node has this name\n";
        return MarkdownHover(std::move(text), symbol.Range);
    }
    const TNodeKeep& node = analysis.Ws->Nodes[static_cast<std::size_t>(index)];
    text += " (line " + std::to_string(node.Line) + ")\n\n";
    if (const std::string said = FirstSaid(context, node); !said.empty()) {
        text += "> " + said + "\n\n";
    }
    std::string from;
    std::size_t shown = 0;
    for (const TNodeRef& ref : NodeReferences(analysis, symbol.Name)) {
        const std::string_view word = RefWord(ref.Kind);
        if (word.empty() || ref.Node < 0 || ++shown > HoverItemLimit) {
            continue;
        }
        from += "- " + std::string(word) + " in " +
                context.Text(analysis.Ws->Nodes[static_cast<std::size_t>(ref.Node)].Name) +
                " (line " + std::to_string(ref.Range.Start.Line + 1) + ")\n";
    }
    text += from.empty() ? std::string("No dialog reaches it.\n") : "Reached from:\n" + from;
    return MarkdownHover(std::move(text), symbol.Range);
}

} // namespace

TJson ScriptHover(const TFeatureContext& context, TPosition position) {
    const TSymbolAt symbol = SymbolAt(context.Analysis, position);
    switch (symbol.Kind) {
    case TSymbolAt::TKind::Message:
        return OwnMessageHover(context, symbol, position.Line + 1);
    case TSymbolAt::TKind::OtherMessage:
        return OtherMessageHover(context, symbol);
    case TSymbolAt::TKind::Node:
        return NodeHover(context, symbol);
    case TSymbolAt::TKind::None:
        break;
    }
    return nullptr;
}

} // namespace dialoscope::lsp
