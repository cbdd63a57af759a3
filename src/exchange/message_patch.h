#pragma once
// Writing translated texts into a message file without touching anything else: only the text
// field (message_fields.h) of a replaced message's line changes; the other lines, comments,
// blank lines, line ends, the number and middle fields, the blanks between and around the
// fields stay byte for byte.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

// A text already in the message file's code page.
struct TPatchText {
    std::int32_t Number = 0;
    std::string Bytes;
};

struct TPatchRefusal {
    std::int32_t Number = 0;
    std::string Why;
};

struct TPatchResult {
    std::string Bytes; // the new message file; meaningless when Refused is not empty
    std::int32_t Replaced = 0;
    std::int32_t Unchanged = 0; // the text was already the same
    std::int32_t Added = 0;     // appended with addMissing
    std::vector<std::int32_t> Missing; // numbers the file lacks, in number order
    std::vector<TPatchRefusal> Refused;
};

enum class TAddMissing : std::uint8_t { No, Yes };

// Applies texts to the message file's bytes. A number the file defines twice has its last line
// replaced, the one that the analysis reads. A text holding a line break, or a line that does
// not split into three fields ("{100}", "{100}{}{text"), is refused, the latter naming its
// line. Missing numbers are appended as "{N}{}{text}"
// in number order, with the file's own line end, only with TAddMissing::Yes.
TPatchResult PatchMessageFile(std::string_view file, const std::vector<TPatchText>& texts,
                              TAddMissing addMissing);

} // namespace dialoscope
