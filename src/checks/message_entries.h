#pragma once
// TMessageEntries: every line of a message file numbered with the rules of LoadMessages, but
// without stopping at a bad line: the entries with their line numbers, and the bad lines. An
// entry's text is its line's text field (message_fields.h), what every reader beyond the
// window's tables shows, counts and writes; a line that does not split into three fields keeps
// the tables' fixed cut as its text and is marked irregular.

#include "analysis/line_store.h"
#include "analysis/message_fields.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dialoscope {

// The views look into the line store the entries were read from.
struct TMessageEntry {
    std::int32_t Number = 0;
    std::string_view Text;   // the text field; an irregular line's: the tables' cut
    std::int32_t Line = 0;   // 1-based
    std::string_view Middle; // the middle field, often a voice recording's name
    std::string_view Cut;    // what the window's tables read (MessageText)
    TMessageLineShape Shape = TMessageLineShape::Regular; // Regular or Irregular
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
