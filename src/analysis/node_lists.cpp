#include "node_lists.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace dialoscope {

std::int32_t TNodeLists::Count(TList list) const {
    const auto n = static_cast<std::size_t>(list);
    const std::uint32_t begin = n == 0 ? 0 : Ends_[n - 1];
    return static_cast<std::int32_t>(Ends_[n] - begin);
}

const TNodeLists::TEntry& TNodeLists::At(TList list, std::int32_t i) const {
    const auto n = static_cast<std::size_t>(list);
    const std::uint32_t begin = n == 0 ? 0 : Ends_[n - 1];
    return Block_[begin + static_cast<std::uint32_t>(i)];
}

TAnswer TNodeLists::Answer(std::int32_t i) const {
    const TEntry& entry = At(TList::Answers, i);
    return {TextOf(entry), {Texts() + entry.Offset + entry.Size, entry.TargetSize}, entry.Line};
}

TMsgUse TNodeLists::MsgUse(std::int32_t i) const {
    const TEntry& entry = At(TList::MsgUses, i);
    return {TextOf(entry), entry.Line};
}

void TNodeListsBuilder::Add(TList list, std::string_view text, std::string_view target,
                            std::int32_t line) {
    // Offsets are 32-bit, and a list's count is a 32-bit number.
    constexpr std::size_t limit = std::numeric_limits<std::int32_t>::max();
    std::size_t entryCount = 0;
    for (const auto& entries : Lists_) {
        entryCount += entries.size();
    }
    if (Text_.size() + text.size() + target.size() > limit || entryCount >= limit) {
        throw std::length_error("a node's lines, answers and calls are too large");
    }
    Lists_[static_cast<std::size_t>(list)].push_back(
        {static_cast<std::uint32_t>(Text_.size()), static_cast<std::uint32_t>(text.size()),
         static_cast<std::uint32_t>(target.size()), line});
    Text_ += text;
    Text_ += target;
}

TNodeLists TNodeListsBuilder::Finish() const {
    TNodeLists lists;
    std::size_t entryCount = 0;
    for (const auto& entries : Lists_) {
        entryCount += entries.size();
    }
    const std::size_t textRoom = (Text_.size() + sizeof(TEntry) - 1) / sizeof(TEntry);
    // From empty, resize allocates exactly this much.
    lists.Block_.resize(entryCount + textRoom);
    auto next = lists.Block_.begin();
    for (std::size_t n = 0; n < Lists_.size(); ++n) {
        next = std::copy(Lists_[n].begin(), Lists_[n].end(), next);
        lists.Ends_[n] = static_cast<std::uint32_t>(next - lists.Block_.begin());
    }
    if (!Text_.empty()) {
        std::memcpy(lists.Block_.data() + entryCount, Text_.data(), Text_.size());
    }
    return lists;
}

void TNodeListsBuilder::Clear() {
    Text_.clear();
    for (auto& entries : Lists_) {
        entries.clear();
    }
}

} // namespace dialoscope
