// Hover in a message file: the message, the original beside it, and the nodes that use it.
#include "features.h"

namespace dialoscope::lsp {

namespace {

constexpr std::size_t HoverNodeLimit = 12;

std::string OriginalText(const TFeatureContext& context, std::int32_t number) {
    if (!context.OriginalPath) {
        return {};
    }
    const std::optional<TEncodedText> text = context.Files.Read(*context.OriginalPath);
    if (!text) {
        return {};
    }
    TLineStore lines;
    lines.SetText(text->Bytes());
    const TMessageEntries entries = ReadMessageEntries(lines);
    const TMessageEntry* entry = entries.Find(number);
    return "\n\noriginal: " +
           (entry ? context.Text(entry->Text) : std::string("*(not in the original)*"));
}

} // namespace

TJson MessageHover(const TFeatureContext& context, std::int32_t line) {
    const TScriptAnalysis& analysis = context.Analysis;
    const TMessageEntry* entry = analysis.EntryAtLine(line);
    if (!entry) {
        return nullptr;
    }
    std::string text = "Message **" + std::to_string(entry->Number) + "**\n\n> " +
                       context.Text(entry->Text) + OriginalText(context, entry->Number) + "\n\n";
    const std::vector<TMsgPlace> places = MessagePlaces(analysis, entry->Number);
    if (places.empty()) {
        text += "No node uses it.";
    } else {
        text += "Used by:\n";
        for (std::size_t i = 0; i < places.size() && i < HoverNodeLimit; ++i) {
            const TMsgPlace& place = places[i];
            const std::string node =
                place.Node >= 0
                    ? context.Text(analysis.Ws->Nodes[static_cast<std::size_t>(place.Node)].Name)
                    : std::string("?");
            text += "- " + node + " (line " + std::to_string(place.Use.Line) + ")\n";
        }
    }
    return {{"contents", {{"kind", "markdown"}, {"value", std::move(text)}}},
            {"range", RangeJson(analysis.Messages.LineRange(line))}};
}

} // namespace dialoscope::lsp
