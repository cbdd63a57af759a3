#pragma once
// How one text became another, word by word, as a translator reads it: "the [-north-] {+east+}
// gate". The texts are message bytes in a code page; ICU's word boundaries (root locale) cut
// them into words and the runs between them, and the marks stand around whole runs of removed
// and added segments, the removed one first. Every byte outside the marks is a byte of the new
// text, so the result is in the code page too.

#include "code_page.h"

#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

// The new text with "[-removed-]" and "{+added+}" where it differs from the old one; the new
// text unchanged when the two are equal. Texts so long that the comparison would cost more than
// a million segment pairs are marked as one change.
std::string WordDifference(std::string_view was, std::string_view is,
                           const TTextCodePage& codePage);

// The bytes of is that WordDifference marks as added ("{+...+}"), as runs of (offset, length)
// into is, in order; none when the texts are equal.
struct TAddedRun {
    std::size_t Offset = 0;
    std::size_t Length = 0;
    friend bool operator==(const TAddedRun&, const TAddedRun&) = default;
};
std::vector<TAddedRun> AddedRuns(std::string_view was, std::string_view is,
                                 const TTextCodePage& codePage);

} // namespace dialoscope
