#pragma once
// TMsgNumberMap: message numbers to texts. A message file of a big script holds hundreds of
// thousands of lines and every Analyze reads it again, so the entries sit in one array in the
// order they were added and a table of their positions finds them by number: no allocation per
// message, unlike a node-based map, and the lookups the marks and checks make stay cheap.

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace dialoscope {

class TMsgNumberMap {
public:
    using TEntry = std::pair<std::int32_t, std::string_view>;
    using const_iterator = std::vector<TEntry>::const_iterator;

    void clear();
    void reserve(std::size_t count);
    std::size_t size() const { return Entries_.size(); }
    bool empty() const { return Entries_.empty(); }
    const_iterator begin() const { return Entries_.begin(); }
    const_iterator end() const { return Entries_.end(); }
    // The entry of number, or end().
    const_iterator find(std::int32_t number) const;
    // The text stored under number, stored empty first when the number is new.
    std::string_view& operator[](std::int32_t number);

private:
    static constexpr std::int32_t NoEntry = -1;
    std::size_t SlotOf(std::int32_t number) const;
    void Grow(std::size_t slots);

    std::vector<TEntry> Entries_;
    // Positions in Entries_ by number, open addressing; a power of two in size, at most half
    // used, NoEntry where free.
    std::vector<std::int32_t> Slots_;
};

} // namespace dialoscope
