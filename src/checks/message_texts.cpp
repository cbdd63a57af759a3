#include "message_texts.h"

#include "analysis/load.h"

#include <algorithm>

namespace dialoscope {

namespace {

void AppendLine(std::string& tip, const std::string& line) {
    if (!tip.empty()) {
        tip += '\n';
    }
    tip += line;
}

std::string TipLine(const std::string& ref, const TMessageTexts::TLookup& found) {
    return ref + ": " + (found.Found ? std::string(found.Text) : found.Reason);
}

} // namespace

TMessageTexts::TMessageTexts(const TWorkspace& ws, const std::string& scriptPath)
    : Own_(ReadMessageEntries(ws.MsgTable.Source)),
      MsgFileName_(FileNamePart(ChangeFileExt(scriptPath, ".msg"))),
      Other_(ws.ScriptList, FolderOf(scriptPath)) {}

TMessageTexts::TLookup TMessageTexts::FindOwn(std::int32_t number) const {
    const TMessageEntry* entry = Own_.Find(number);
    if (entry == nullptr) {
        return TLookup{false, {}, "not in " + MsgFileName_};
    }
    return TLookup{true, entry->Text, {}};
}

TMessageTexts::TLookup TMessageTexts::FindOther(std::int32_t script, std::int32_t number) {
    const TOtherScript& other = Other_.Script(script);
    switch (other.State) {
    case TOtherScriptState::NotListed:
        return TLookup{false, {}, "script " + std::to_string(script) + " is not in scripts.lst"};
    case TOtherScriptState::NoFile:
        return TLookup{false, {}, other.MsgFileName + " is not beside the script"};
    case TOtherScriptState::Loaded:
        break;
    }
    const TMessageEntry* entry = other.Messages.Find(number);
    if (entry == nullptr) {
        return TLookup{false, {}, "not in " + other.MsgFileName};
    }
    return TLookup{true, entry->Text, {}};
}

TMessageTexts::TLookup TMessageTexts::Find(const TMsgItem& item) {
    switch (item.Kind) {
    case TMsgItemKind::Single:
    case TMsgItemKind::Range:
        return FindOwn(item.Number);
    case TMsgItemKind::OtherScript:
        return FindOther(item.Script, item.Number);
    case TMsgItemKind::Literal:
        break;
    }
    return TLookup{false, {}, "not a message number"};
}

std::string TMessageTexts::ShownText(std::string_view caption) {
    std::string_view part;
    if (!SplitMessageCaption(caption, part)) {
        return {};
    }
    const std::vector<TMsgItem> items = ReadMessagePart(part);
    const bool anyMessage = std::any_of(items.begin(), items.end(), [](const TMsgItem& item) {
        return item.Kind != TMsgItemKind::Literal;
    });
    if (!anyMessage) {
        return {};
    }
    std::string shown;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            shown += ' ';
        }
        const TMsgItem& item = items[i];
        if (item.Kind == TMsgItemKind::Literal) {
            shown += item.Text;
            continue;
        }
        const TLookup found = Find(item);
        shown += found.Found ? found.Text : UnknownText;
        if (item.Kind == TMsgItemKind::Range) {
            shown += "...";
        }
    }
    return shown;
}

void TMessageTexts::AppendToolTipLines(const TMsgItem& item, std::string& tip) {
    if (item.Kind == TMsgItemKind::Literal) {
        return;
    }
    if (item.Kind != TMsgItemKind::Range) {
        AppendLine(tip, TipLine(std::string(item.Text), Find(item)));
        return;
    }
    // A range can span the whole number space; list its start and say how many follow.
    const std::int64_t count = std::int64_t{item.High} - item.Number + 1;
    const std::int64_t listed = std::min<std::int64_t>(count, RangeToolTipLines);
    for (std::int64_t n = item.Number; n < item.Number + listed; ++n) {
        const auto number = static_cast<std::int32_t>(n);
        AppendLine(tip, TipLine(std::to_string(number), FindOwn(number)));
    }
    if (count > listed) {
        AppendLine(tip, "... " + std::to_string(count - listed) + " more");
    }
}

std::string TMessageTexts::ToolTip(std::string_view caption) {
    std::string_view part;
    if (!SplitMessageCaption(caption, part)) {
        return {};
    }
    std::string tip;
    for (const TMsgItem& item : ReadMessagePart(part)) {
        AppendToolTipLines(item, tip);
    }
    return tip;
}

std::string ShownCaption(std::string_view caption, TMessageTexts& texts, TShowTexts show) {
    std::string shown(caption);
    if (show == TShowTexts::Off) {
        return shown;
    }
    const std::string text = texts.ShownText(caption);
    if (!text.empty()) {
        shown += " \"";
        shown += text;
        shown += '"';
    }
    return shown;
}

TOutlineTree ShownTree(const TOutlineTree& tree, TMessageTexts& texts, TShowTexts show) {
    TOutlineTree copy;
    for (const TTreeItem& item : tree.Items()) {
        copy.Add(item.Parent, ShownCaption(item.Caption, texts, show), item.Image, item.Node);
    }
    return copy;
}

} // namespace dialoscope
