#pragma once
// TMessageEntries: every line of a message file read with the rules of LoadMessages, but
// without stopping at a bad line: the entries with their line numbers, and the bad lines.

#include "analysis/line_store.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dialoscope {

struct TMessageEntry {
    std::int32_t Number = 0;
    std::string_view Text; // a view into the line store the entries were read from
    std::int32_t Line = 0; // 1-based
};

struct TBadMessageLine {
    std::string_view NumberText; // what stood where the number belongs
    std::int32_t Line = 0;
};

struct TMessageEntries {
    std::vector<TMessageEntry> Entries; // in file order, duplicates included
    std::vector<TBadMessageLine> BadLines;
    // The entry that LoadMessages keeps for each number: the last line with it.
    std::unordered_map<std::int32_t, std::size_t> LastByNumber;

    // The entry kept for number, or null.
    const TMessageEntry* Find(std::int32_t number) const;
};

// The views in the result live as long as lines and its content.
TMessageEntries ReadMessageEntries(const TLineStore& lines);

} // namespace dialoscope
