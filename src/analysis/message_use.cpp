#include "message_use.h"

#include "int_conversion.h"

namespace dialoscope {

namespace {

bool ReadRange(std::string_view text, TMsgRef& ref) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        return false;
    }
    const auto lo = TryStrToInt(text.substr(0, dash));
    const auto hi = TryStrToInt(text.substr(dash + 1));
    if (!lo || !hi) {
        return false;
    }
    ref.Kind = TMsgRefKind::Range;
    ref.Number = *lo;
    ref.High = *hi;
    return true;
}

bool ReadOtherScript(std::string_view text, TMsgRef& ref) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    const auto script = TryStrToInt(text.substr(0, colon));
    const auto number = TryStrToInt(text.substr(colon + 1));
    if (!script || !number) {
        return false;
    }
    ref.Kind = TMsgRefKind::OtherScript;
    ref.Script = *script;
    ref.Number = *number;
    return true;
}

} // namespace

bool IsPlainMessageNumber(std::string_view text) {
    if (text.empty() || text.size() > 9) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

TMsgRef ReadMsgRef(std::string_view text) {
    TMsgRef ref;
    if (IsPlainMessageNumber(text)) {
        ref.Kind = TMsgRefKind::Single;
        ref.Number = *TryStrToInt(text);
        return ref;
    }
    if (ReadRange(text, ref) || ReadOtherScript(text, ref)) {
        return ref;
    }
    if (const auto number = TryStrToInt(text)) {
        ref.Kind = TMsgRefKind::Single;
        ref.Number = *number;
    }
    return ref;
}

} // namespace dialoscope
