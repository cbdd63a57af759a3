#include "message_parts.h"

#include "analysis/int_conversion.h"

#include <array>

namespace dialoscope {

namespace {

constexpr std::array<std::string_view, 5> CaptionHeads = {
    "say =", "write =", "SayWOAnswer =", "SayForAnswer =", "answer ="};

TMsgItem Literal(std::string_view text) {
    TMsgItem item;
    item.Text = text;
    return item;
}

bool ReadRange(std::string_view text, TMsgItem& item) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        return false;
    }
    const auto lo = TryStrToInt(text.substr(0, dash));
    const auto hi = TryStrToInt(text.substr(dash + 1));
    if (!lo || !hi) {
        return false;
    }
    item.Kind = TMsgItemKind::Range;
    item.Number = *lo;
    item.High = *hi;
    return true;
}

bool ReadOtherScript(std::string_view text, TMsgItem& item) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    const auto script = TryStrToInt(text.substr(0, colon));
    const auto number = TryStrToInt(text.substr(colon + 1));
    if (!script || !number) {
        return false;
    }
    item.Kind = TMsgItemKind::OtherScript;
    item.Script = *script;
    item.Number = *number;
    return true;
}

} // namespace

TMsgItem ReadMsgItem(std::string_view text) {
    TMsgItem item = Literal(text);
    if (ReadRange(text, item) || ReadOtherScript(text, item)) {
        return item;
    }
    if (const auto number = TryStrToInt(text)) {
        item.Kind = TMsgItemKind::Single;
        item.Number = *number;
    }
    return item;
}

bool SplitMessageCaption(std::string_view caption, std::string_view& part) {
    for (const std::string_view head : CaptionHeads) {
        if (caption.substr(0, head.size()) == head) {
            part = caption.substr(head.size());
            return true;
        }
    }
    return false;
}

std::vector<TMsgItem> ReadMessagePart(std::string_view part) {
    std::vector<TMsgItem> items;
    for (;;) {
        const std::size_t blank = part.find(' ');
        items.push_back(ReadMsgItem(part.substr(0, blank)));
        if (blank == std::string_view::npos) {
            return items;
        }
        part.remove_prefix(blank + 1);
    }
}

} // namespace dialoscope
