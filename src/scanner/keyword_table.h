#pragma once
// The scanner's keyword list: kept sorted ignoring ASCII case, each word once, and looked up
// through a hash index that answers exactly as a walk of the list under the case rule would.

#include <array>
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
    bool MatchesKey(std::string_view text, const std::string& key) const;
    static unsigned LengthBit(std::size_t length) { return length < 63 ? unsigned(length) : 63U; }

    std::vector<std::string> Words_;
    std::vector<std::string> Keys_;         // Words_ folded under the case rule
    std::array<unsigned char, 256> Fold_{}; // the case rule: identity or ASCII upper case
    std::vector<std::uint32_t> Slots_;      // 0: empty; otherwise index into Words_ plus one
    std::uint32_t SlotMask_ = 0;
    // Bit n of entry b: some key starts with byte b and has n bytes (63: 63 or more). Most
    // identifiers that are no keyword stop here.
    std::array<std::uint64_t, 256> FirstAndLength_{};
    bool CaseSensitive_ = false;
};

} // namespace dialoscope
