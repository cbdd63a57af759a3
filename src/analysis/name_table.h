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
    // How many names the table holds.
    std::size_t Size() const { return Used_; }
    // The number stored for name, or nullptr.
    const std::int32_t* Find(std::string_view name) const;
    // The number stored for name, stored as initial first when the name is new.
    std::int32_t& FindOrInsert(std::string_view name, std::int32_t initial);

private:
    // 16 bytes: a big script's tables hold a million slots. A free slot has no Data.
    struct TSlot {
        const char* Data = nullptr;
        std::uint32_t Size = 0;
        std::int32_t Value = 0;
        bool Used() const { return Data != nullptr; }
        std::string_view Key() const { return {Data, Size}; }
    };
    static_assert(sizeof(TSlot) == 16);
    static std::uint32_t HashOf(std::string_view name);
    std::size_t SlotOf(std::string_view name) const;
    void Grow();

    std::vector<TSlot> Slots_; // a power of two in size, at most half used
    std::size_t Used_ = 0;
};

} // namespace dialoscope
