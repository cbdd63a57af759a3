#pragma once
// Where a PO file's entries stand, read from its text beside gettext's library, which keeps no
// line of an entry and ends a string at a NUL byte without a word: the line each entry starts
// on, the raw key gettext tells entries apart by, and whether a translation holds a NUL (a NUL
// byte in the file, or an escape such as "\0" or "\x00" in a string).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

struct TPoEntryLayout {
    std::int32_t Line = 0; // its msgctxt line, else its msgid line
    // The msgctxt and msgid strings as written, escapes unread: two entries with the same key
    // are the same message to gettext.
    std::string Key;
    bool StrHoldsNul = false; // a msgstr string holds a NUL
};

struct TPoLayout {
    // Every entry but the obsolete ones ("#~"), the header included, in file order: as gettext's
    // iterator gives them once the obsolete ones are left out.
    std::vector<TPoEntryLayout> Entries;
    std::int32_t StrayNulLine = 0; // the first NUL byte outside a msgstr and a comment; 0: none
};

TPoLayout ScanPoLayout(std::string_view text);

} // namespace dialoscope
