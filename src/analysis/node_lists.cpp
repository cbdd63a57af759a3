#include "node_lists.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace dialoscope {

std::uint32_t TNodeLists::Begin(TList list) const {
    const auto n = static_cast<std::size_t>(list);
    return n == 0 ? 0 : Ends_[n - 1];
}

std::int32_t TNodeLists::Count(TList list) const {
    return static_cast<std::int32_t>(Ends_[static_cast<std::size_t>(list)] - Begin(list));
}

const TNodeLists::TEntry& TNodeLists::At(TList list, std::int32_t i) const {
    return Block_[Begin(list) + static_cast<std::uint32_t>(i)];
}

TAnswer TNodeLists::Answer(std::int32_t i) const {
    const TEntry& entry = At(TList::Answers, i);
    return {TextOf(entry), {Texts() + entry.Offset + entry.Size, entry.TargetSize}, entry.Line};
}

namespace node_lists_detail {

std::uint32_t TMsgUseBits::Pack(const TMsgUseValue& use, std::uint32_t speakerSize) {
    return static_cast<std::uint32_t>(use.Value.Kind) << 24 |
           static_cast<std::uint32_t>(use.Statement) << 26 |
           static_cast<std::uint32_t>(use.Speaker) << 29 | speakerSize;
}

void TMsgUseBits::Unpack(std::uint32_t bits, TMsgUse& use) {
    use.Value.Kind = static_cast<TMsgRefKind>(bits >> 24 & 3);
    use.Statement = static_cast<TSaidKind>(bits >> 26 & 7);
    use.Speaker = static_cast<TSpeaker>(bits >> 29 & 3);
}

} // namespace node_lists_detail

TNodeLists::TMsgNumbers TNodeLists::NumbersOf(std::int32_t use) const {
    // Copied out byte for byte: the room is TEntry storage.
    TMsgNumbers numbers;
    std::memcpy(&numbers,
                reinterpret_cast<const char*>(Block_.data() + Ends_.back()) +
                    static_cast<std::size_t>(use) * sizeof(TMsgNumbers),
                sizeof(TMsgNumbers));
    return numbers;
}

TMsgUse TNodeLists::MsgUse(std::int32_t i) const {
    using node_lists_detail::TMsgUseBits;
    const TEntry& entry = At(TList::MsgUses, i);
    TMsgUse use{TextOf(entry), entry.Line, {}, {}, {}, {}};
    TMsgUseBits::Unpack(entry.TargetSize, use);
    use.SpeakerText = {Texts() + entry.Offset + entry.Size,
                       TMsgUseBits::SpeakerSize(entry.TargetSize)};
    const TMsgNumbers numbers = NumbersOf(i);
    use.Value.Number = numbers.Number;
    if (use.Value.Kind == TMsgRefKind::Range) {
        use.Value.High = numbers.Second;
    } else if (use.Value.Kind == TMsgRefKind::OtherScript) {
        use.Value.Script = numbers.Second;
    }
    return use;
}

void TNodeListsBuilder::AddMsgUse(std::string_view ref, std::int32_t line,
                                  const TMsgUseValue& use) {
    using node_lists_detail::TMsgUseBits;
    if (ref.empty() || KeepsNothing_) {
        return;
    }
    const std::string_view speaker = use.Speaker == TSpeaker::Other
                                         ? use.SpeakerText.substr(0, TMsgUseBits::MaxSpeakerSize)
                                         : std::string_view();
    const TMsgRef& value = use.Value;
    const std::int32_t second = value.Kind == TMsgRefKind::Range         ? value.High
                                : value.Kind == TMsgRefKind::OtherScript ? value.Script
                                                                         : 0;
    Add(TList::MsgUses, ref, speaker, line,
        TMsgUseBits::Pack(use, static_cast<std::uint32_t>(speaker.size())));
    Numbers_.push_back({value.Number, second});
}

void TNodeListsBuilder::Add(TList list, std::string_view text, std::string_view target,
                            std::int32_t line, std::uint32_t targetSize) {
    if (KeepsNothing_) {
        return;
    }
    // Offsets are 32-bit, and a list's count is a 32-bit number.
    constexpr std::size_t limit = std::numeric_limits<std::int32_t>::max();
    if (Text_.size() + text.size() + target.size() > limit || EntryCount() >= limit) {
        throw std::length_error("a node's lines, answers and calls are too large");
    }
    Lists_[static_cast<std::size_t>(list)].push_back({static_cast<std::uint32_t>(Text_.size()),
                                                      static_cast<std::uint32_t>(text.size()),
                                                      targetSize, line});
    Text_ += text;
    Text_ += target;
}

TNodeLists TNodeListsBuilder::Finish() const {
    TNodeLists lists;
    const std::size_t entryCount = EntryCount();
    const std::size_t textRoom = (Text_.size() + sizeof(TEntry) - 1) / sizeof(TEntry);
    const std::size_t numbersRoom = TNodeLists::NumbersRoom(Numbers_.size());
    // From empty, resize allocates exactly this much.
    lists.Block_.resize(entryCount + numbersRoom + textRoom);
    auto next = lists.Block_.begin();
    for (std::size_t n = 0; n < Lists_.size(); ++n) {
        next = std::copy(Lists_[n].begin(), Lists_[n].end(), next);
        lists.Ends_[n] = static_cast<std::uint32_t>(next - lists.Block_.begin());
    }
    if (!Numbers_.empty()) {
        std::memcpy(static_cast<void*>(lists.Block_.data() + entryCount), Numbers_.data(),
                    Numbers_.size() * sizeof(TMsgNumbers));
    }
    if (!Text_.empty()) {
        std::memcpy(lists.Block_.data() + entryCount + numbersRoom, Text_.data(), Text_.size());
    }
    return lists;
}

std::size_t TNodeListsBuilder::EntryCount() const {
    std::size_t count = 0;
    for (const auto& entries : Lists_) {
        count += entries.size();
    }
    return count;
}

void TNodeListsBuilder::Clear() {
    Text_.clear();
    for (auto& entries : Lists_) {
        entries.clear();
    }
    Numbers_.clear();
}

} // namespace dialoscope
