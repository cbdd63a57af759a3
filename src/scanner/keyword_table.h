#pragma once
// The scanner's keyword list: kept sorted ignoring ASCII case, each word once, and looked up
// through a hash index that answers exactly as a walk of the list under the case rule would.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

// Orders by bytes after folding ASCII letters to lower case; no locale is consulted.
bool LessIgnoringAsciiCase(std::string_view a, std::string_view b);
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

class TKeywordTable {
public:
    // A word equal to an earlier one, ignoring ASCII case, is dropped.
    void Assign(const std::vector<std::string>& words);
    void SetCaseSensitive(bool sensitive);

    const std::vector<std::string>& Words() const { return Words_; }

    // Case-insensitive: both sides compared after upper-casing a to z; case-sensitive: exact bytes.
    bool Contains(std::string_view text) const;

private:
    void RebuildIndex();
    std::uint32_t Hash(std::string_view text) const;
    bool Matches(std::string_view text, std::string_view word) const;
    static unsigned LengthBit(std::size_t length) { return length < 63 ? unsigned(length) : 63U; }

    std::vector<std::string> Words_;
    std::vector<std::uint32_t> Slots_; // 0: empty; otherwise index into Words_ plus one
    std::uint32_t SlotMask_ = 0;
    std::uint64_t Lengths_ = 0; // bit n: some word has n bytes (63: 63 or more)
    bool CaseSensitive_ = false;
};

} // namespace dialoscope
