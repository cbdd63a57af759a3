#include "message_parts.h"

#include <array>

namespace dialoscope {

namespace {

constexpr std::array<std::string_view, 5> CaptionHeads = {
    "say =", "write =", "SayWOAnswer =", "SayForAnswer =", "answer ="};

// One item as the node analysis writes it: a number, a range "lo-hi" or a reference "s:n".
// Anything that does not convert is a literal.
TMsgItem ReadMsgItem(std::string_view text) {
    const TMsgRef ref = ReadMsgRef(text);
    return {ref.Kind, text, ref.Number, ref.High, ref.Script};
}

} // namespace

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
