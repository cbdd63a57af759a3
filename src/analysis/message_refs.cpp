#include "message_refs.h"

#include "int_conversion.h"

#include <algorithm>

namespace dialoscope {

std::string MsgRefText(std::string_view ref, std::int32_t scriptIndex, TPort& port) {
    const std::size_t comma = ref.find(',');
    if (comma == std::string_view::npos) {
        return std::string(ref);
    }
    const std::string_view script = ref.substr(0, comma);
    const std::string_view message = ref.substr(comma + 1);
    const auto number = TryStrToInt(script);
    if (!number) {
        port.ShowMessage(ref);
        return {};
    }
    if (*number == scriptIndex) {
        return std::string(message);
    }
    std::string text(script);
    text += ':';
    text += message;
    return text;
}

std::string CommasToDashes(std::string_view text) {
    std::string result(text);
    std::replace(result.begin(), result.end(), ',', '-');
    return result;
}

bool MarkMsgNumbers(TNodeKeep& node, std::string_view text, TPort& port) {
    return MarkMsgNumbers(node, ReadMsgRef(text), text, port);
}

namespace {

// The marks of a part on node, or none when node is null; the same messages for a faulty part
// either way.
bool MarkOrCheck(TNodeKeep* node, const TMsgRef& ref, std::string_view text, TPort& port) {
    if (ref.Kind == TMsgRefKind::Range) {
        if (node != nullptr) {
            node->SetMsgRange(ref.Number, ref.High);
        }
        return true;
    }
    // A part that is neither a message nor a range of them: the message depends on its form.
    if (text.find('-') != std::string_view::npos) {
        port.ShowMessage("error in " + std::string(text));
        return false;
    }
    if (ref.Kind == TMsgRefKind::OtherScript || text.find(':') != std::string_view::npos) {
        return true;
    }
    if (ref.Kind != TMsgRefKind::Single) {
        port.ShowMessage("Error in number converting!");
        return false;
    }
    if (node != nullptr) {
        node->SetMsgMark(ref.Number, text);
    }
    return true;
}

} // namespace

bool MarkMsgNumbers(TNodeKeep& node, const TMsgRef& ref, std::string_view text, TPort& port) {
    return MarkOrCheck(&node, ref, text, port);
}

void UseMessagePart(TNodeKeep* markIn, TNodeListsBuilder& lists, std::string_view part,
                    std::int32_t line, TMsgUseValue use, TPort& port) {
    use.Value = ReadMsgRef(part);
    MarkOrCheck(markIn, use.Value, part, port);
    lists.AddMsgUse(part, line, use);
}

} // namespace dialoscope
