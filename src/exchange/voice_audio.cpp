#include "detail/voice_audio.h"

#include "detail/exchange_error.h"

namespace dialoscope {

namespace {

constexpr std::string_view KnownFields = "{script}, {number} and {node}";

EExchangeError PatternError(std::string_view pattern, const std::string& problem) {
    return EExchangeError("The audio file pattern \"" + std::string(pattern) + "\" " + problem +
                          "; it may hold " + std::string(KnownFields));
}

// Calls field(name) for each "{name}" and text(bytes) for what stands between them.
template <typename TText, typename TField>
void ReadPattern(std::string_view pattern, TText text, TField field) {
    std::size_t at = 0;
    while (at < pattern.size()) {
        const std::size_t open = pattern.find_first_of("{}", at);
        text(pattern.substr(at, open == std::string_view::npos ? open : open - at));
        if (open == std::string_view::npos) {
            return;
        }
        const std::size_t close = pattern.find('}', open);
        if (pattern[open] == '}' || close == std::string_view::npos) {
            throw PatternError(pattern, "has a brace that opens no field");
        }
        field(pattern.substr(open + 1, close - open - 1));
        at = close + 1;
    }
}

} // namespace

void CheckAudioPattern(std::string_view pattern) {
    bool number = false;
    ReadPattern(
        pattern, [](std::string_view) {},
        [&](std::string_view name) {
            if (name != "script" && name != "number" && name != "node") {
                throw PatternError(pattern, "holds the unknown field {" + std::string(name) + "}");
            }
            number = number || name == "number";
        });
    if (!number) {
        throw PatternError(pattern, "lacks {number}, so lines would share one file");
    }
}

std::string AudioFileName(std::string_view pattern, std::string_view script, std::int32_t number,
                          std::string_view node) {
    std::string name;
    ReadPattern(
        pattern, [&](std::string_view text) { name += text; },
        [&](std::string_view field) {
            if (field == "script") {
                name += script;
            } else if (field == "number") {
                name += std::to_string(number);
            } else {
                name += node;
            }
        });
    return name;
}

} // namespace dialoscope
