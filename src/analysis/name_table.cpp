#include "name_table.h"

namespace dialoscope {

void TNameTable::Clear() {
    Slots_.clear();
    Used_ = 0;
}

// FNV-1a, then mixed so that the low bits, which pick the slot, depend on every byte.
std::uint32_t TNameTable::HashOf(std::string_view name) {
    std::uint32_t hash = 2166136261U;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619U;
    }
    return hash ^ (hash >> 16);
}

// The slot that holds name, or the free slot where it would go.
std::size_t TNameTable::SlotOf(std::string_view name, std::uint32_t hash) const {
    const std::size_t mask = Slots_.size() - 1;
    std::size_t at = hash & mask;
    while (Slots_[at].Used() && !Slots_[at].Holds(name, hash)) {
        at = (at + 1) & mask;
    }
    return at;
}

// Where a name known not to be in the table goes.
std::size_t TNameTable::FreeSlotOf(std::uint32_t hash) const {
    const std::size_t mask = Slots_.size() - 1;
    std::size_t at = hash & mask;
    while (Slots_[at].Used()) {
        at = (at + 1) & mask;
    }
    return at;
}

const std::int32_t* TNameTable::Find(std::string_view name) const {
    if (Used_ == 0) {
        return nullptr;
    }
    const TSlot& slot = Slots_[SlotOf(name, HashOf(name))];
    return slot.Used() ? &slot.Value : nullptr;
}

std::int32_t& TNameTable::FindOrInsert(std::string_view name, std::int32_t initial) {
    if (4 * (Used_ + 1) > 3 * Slots_.size()) {
        Grow();
    }
    const std::uint32_t hash = HashOf(name);
    TSlot& slot = Slots_[SlotOf(name, hash)];
    if (!slot.Used()) {
        // An empty name still needs a non-null pointer to mark its slot used.
        slot = TSlot{name.data() != nullptr ? name.data() : "",
                     static_cast<std::uint32_t>(name.size()), hash, initial};
        ++Used_;
    }
    return slot.Value;
}

void TNameTable::Grow() {
    std::vector<TSlot> old = std::move(Slots_);
    Slots_.assign(old.empty() ? 64 : old.size() * 2, TSlot{});
    for (const TSlot& slot : old) {
        if (slot.Used()) {
            Slots_[FreeSlotOf(slot.Hash)] = slot;
        }
    }
}

} // namespace dialoscope
