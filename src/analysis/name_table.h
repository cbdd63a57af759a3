#pragma once
// TNameTable: names (views into text that outlives the table) to numbers, by open addressing.
// Analyze looks a name up for every identifier of every node; a node-based hash map spends
// most of that time on a division and a cache miss per lookup. Each slot keeps its name's hash,
// so a probe reads a name's bytes (another cache miss, somewhere in the script) only when the
// hashes agree, and growing never reads them at all.

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
    // 24 bytes: a big script's tables hold half a million slots. A free slot has no Data.
    struct TSlot {
        const char* Data = nullptr;
        std::uint32_t Size = 0;
        std::uint32_t Hash = 0;
        std::int32_t Value = 0;
        bool Used() const { return Data != nullptr; }
        bool Holds(std::string_view name, std::uint32_t hash) const {
            return Hash == hash && std::string_view(Data, Size) == name;
        }
    };
    static_assert(sizeof(TSlot) == 24);
    static std::uint32_t HashOf(std::string_view name);
    std::size_t SlotOf(std::string_view name, std::uint32_t hash) const;
    std::size_t FreeSlotOf(std::uint32_t hash) const;
    void Grow();

    // A power of two in size, at most three quarters used: with the hashes at hand a longer
    // probe costs little, and a smaller table misses the cache less.
    std::vector<TSlot> Slots_;
    std::size_t Used_ = 0;
};

} // namespace dialoscope
