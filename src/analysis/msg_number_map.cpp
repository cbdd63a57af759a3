#include "msg_number_map.h"

#include <bit>

namespace dialoscope {

void TMsgNumberMap::clear() {
    Entries_.clear();
    Slots_.assign(Slots_.size(), NoEntry);
}

void TMsgNumberMap::reserve(std::size_t count) {
    Entries_.reserve(count);
    if (2 * count > Slots_.size()) {
        Grow(std::bit_ceil(2 * count));
    }
}

// The slot that holds number, or the free slot where it would go. Message numbers mostly run
// on one after another; the multiplier spreads them over the whole table.
std::size_t TMsgNumberMap::SlotOf(std::int32_t number) const {
    const std::size_t mask = Slots_.size() - 1;
    std::size_t at = (static_cast<std::uint32_t>(number) * 0x9E3779B1U) & mask;
    while (Slots_[at] != NoEntry &&
           Entries_[static_cast<std::size_t>(Slots_[at])].first != number) {
        at = (at + 1) & mask;
    }
    return at;
}

TMsgNumberMap::const_iterator TMsgNumberMap::find(std::int32_t number) const {
    if (Entries_.empty()) {
        return end();
    }
    const std::int32_t entry = Slots_[SlotOf(number)];
    return entry == NoEntry ? end() : begin() + entry;
}

std::string_view& TMsgNumberMap::operator[](std::int32_t number) {
    if (2 * (Entries_.size() + 1) > Slots_.size()) {
        Grow(Slots_.empty() ? 64 : 2 * Slots_.size());
    }
    std::int32_t& slot = Slots_[SlotOf(number)];
    if (slot == NoEntry) {
        slot = static_cast<std::int32_t>(Entries_.size());
        Entries_.emplace_back(number, std::string_view());
    }
    return Entries_[static_cast<std::size_t>(slot)].second;
}

void TMsgNumberMap::Grow(std::size_t slots) {
    Slots_.assign(slots, NoEntry);
    for (std::size_t i = 0; i < Entries_.size(); ++i) {
        Slots_[SlotOf(Entries_[i].first)] = static_cast<std::int32_t>(i);
    }
}

} // namespace dialoscope
