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

TMsgUse TNodeLists::MsgUse(std::int32_t i) const {
    const TEntry& entry = At(TList::MsgUses, i);
    return {TextOf(entry), entry.Line};
}

void TNodeListsBuilder::Add(TList list, std::string_view text, std::string_view target,
                            std::int32_t line) {
    // Offsets are 32-bit, and a list's count is a 32-bit number.
    constexpr std::size_t limit = std::numeric_limits<std::int32_t>::max();
    if (Text_.size() + text.size() + target.size() > limit || EntryCount() >= limit) {
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
    const std::size_t entryCount = EntryCount();
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
}

} // namespace dialoscope
