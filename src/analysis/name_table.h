#pragma once
// TNameTable: names (views into text that outlives the table) to numbers, by open addressing.
// Analyze looks a name up for every identifier of every node; a node-based hash map spends
// most of that time on a division and a cache miss per lookup.

#include <cstdint>
#include <string_view>
#include <vector>

namespace dialoscope {

class TNameTable {
public:
    void Clear();
    // The number stored for name, or nullptr.
    const std::int32_t* Find(std::string_view name) const;
    // The number stored for name, stored as initial first when the name is new.
    std::int32_t& FindOrInsert(std::string_view name, std::int32_t initial);

private:
    struct TSlot {
        std::string_view Key;
        std::uint32_t Hash = 0;
        std::int32_t Value = 0;
        bool Used = false;
    };
    static std::uint32_t HashOf(std::string_view name);
    std::size_t SlotOf(std::string_view name, std::uint32_t hash) const;
    void Grow();

    std::vector<TSlot> Slots_; // a power of two in size, at most half used
    std::size_t Used_ = 0;
};

} // namespace dialoscope
