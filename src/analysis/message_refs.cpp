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
    const std::size_t dash = text.find('-');
    if (dash != std::string_view::npos) {
        const auto lo = TryStrToInt(text.substr(0, dash));
        const auto hi = TryStrToInt(text.substr(dash + 1));
        if (!lo || !hi) {
            port.ShowMessage("error in " + std::string(text));
            return false;
        }
        node.SetMsgRange(*lo, *hi);
        return true;
    }
    if (text.find(':') != std::string_view::npos) {
        return true;
    }
    const auto n = TryStrToInt(text);
    if (!n) {
        port.ShowMessage("Error in number converting!");
        return false;
    }
    node.SetMsgMark(*n, text);
    return true;
}

} // namespace dialoscope
