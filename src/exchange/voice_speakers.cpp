#include "detail/voice_speakers.h"

#include <algorithm>
#include <vector>

namespace dialoscope {

namespace {

std::vector<std::int32_t> SortedNumbers(const TMessageEntries& messages) {
    std::vector<std::int32_t> numbers;
    numbers.reserve(messages.LastByNumber.size());
    for (const auto& [number, index] : messages.LastByNumber) {
        numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

} // namespace

std::string SpeakerName(TSpeaker speaker, std::string_view speakerText, TSaidKind statement) {
    switch (speaker) {
    case TSpeaker::Self:
        return "Self";
    case TSpeaker::Player:
        return "Player";
    case TSpeaker::Other:
        return std::string(speakerText);
    case TSpeaker::None:
        break;
    }
    return statement == TSaidKind::Answer ? "Player" : "Self";
}

std::unordered_map<std::int32_t, std::string> SpeakersByMessage(const TWorkspace& ws,
                                                                const TMessageEntries& messages) {
    const std::vector<std::int32_t> present = SortedNumbers(messages);
    std::unordered_map<std::int32_t, std::string> speakers;
    const auto count = [&](std::int32_t number, const TMsgUse& use) {
        if (!speakers.contains(number)) {
            speakers.emplace(number, SpeakerName(use.Speaker, use.SpeakerText, use.Statement));
        }
    };
    for (const TNodeKeep& node : ws.Nodes) {
        for (const TMsgUse use : node.Lists.MsgUses()) {
            const TMsgRef& ref = use.Value;
            if (ref.Kind == TMsgRefKind::Single &&
                std::binary_search(present.begin(), present.end(), ref.Number)) {
                count(ref.Number, use);
            } else if (ref.Kind == TMsgRefKind::Range) {
                // Only the numbers the file holds: a range may span every number there is.
                const auto first = std::lower_bound(present.begin(), present.end(), ref.First());
                const auto last = std::upper_bound(first, present.end(), ref.Last());
                std::for_each(first, last, [&](std::int32_t number) { count(number, use); });
            }
        }
    }
    return speakers;
}

} // namespace dialoscope
