#include "name_table.h"

namespace dialoscope {

void TNameTable::Clear() {
    Slots_.clear();
    Used_ = 0;
}

// FNV-1a: names are short, so a byte loop is as quick as anything wider.
std::uint32_t TNameTable::HashOf(std::string_view name) {
    std::uint32_t hash = 2166136261U;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619U;
    }
    return hash;
}

// The slot that holds name, or the free slot where it would go.
std::size_t TNameTable::SlotOf(std::string_view name, std::uint32_t hash) const {
    const std::size_t mask = Slots_.size() - 1;
    std::size_t at = hash & mask;
    while (Slots_[at].Used && (Slots_[at].Hash != hash || Slots_[at].Key != name)) {
        at = (at + 1) & mask;
    }
    return at;
}

const std::int32_t* TNameTable::Find(std::string_view name) const {
    if (Used_ == 0) {
        return nullptr;
    }
    const TSlot& slot = Slots_[SlotOf(name, HashOf(name))];
    return slot.Used ? &slot.Value : nullptr;
}

std::int32_t& TNameTable::FindOrInsert(std::string_view name, std::int32_t initial) {
    if (2 * (Used_ + 1) > Slots_.size()) {
        Grow();
    }
    const std::uint32_t hash = HashOf(name);
    TSlot& slot = Slots_[SlotOf(name, hash)];
    if (!slot.Used) {
        slot = TSlot{name, hash, initial, true};
        ++Used_;
    }
    return slot.Value;
}

void TNameTable::Grow() {
    std::vector<TSlot> old = std::move(Slots_);
    Slots_.assign(old.empty() ? 64 : old.size() * 2, TSlot{});
    for (const TSlot& slot : old) {
        if (slot.Used) {
            Slots_[SlotOf(slot.Key, slot.Hash)] = slot;
        }
    }
}

} // namespace dialoscope
