#include "highlight/reserved_words.h"

#include <algorithm>

namespace dialoscope {

namespace {

// Sorted, for the binary search.
constexpr std::array<std::string_view, kPascalReservedWordCount> kSortedWords = {
    "and",
    "args",
    "automated",
    "begin",
    "case",
    "class",
    "const",
    "constructor",
    "default",
    "destructor",
    "do",
    "downto",
    "else",
    "end",
    "endif",
    "except",
    "external",
    "false",
    "finalization",
    "finally",
    "for",
    "function",
    "goto",
    "if",
    "implementation",
    "inherited",
    "initialization",
    "interface",
    "mod",
    "nil",
    "not",
    "object",
    "of",
    "on",
    "or",
    "override",
    "private",
    "procedure",
    "program",
    "property",
    "protected",
    "public",
    "published",
    "raise",
    "read",
    "record",
    "repeat",
    "set",
    "shl",
    "shr",
    "then",
    "to",
    "true",
    "try",
    "type",
    "unit",
    "until",
    "uses",
    "var",
    "while",
    "with",
    "write",
    "xor",
};

static_assert(std::is_sorted(kSortedWords.begin(), kSortedWords.end()));

constexpr std::size_t kLongestWord = 14; // "implementation", "initialization"

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

const std::array<std::string_view, kPascalReservedWordCount>& PascalReservedWords() {
    return kSortedWords;
}

bool IsPascalReservedWord(std::string_view token) {
    if (token.empty() || token.size() > kLongestWord) {
        return false;
    }
    std::array<char, kLongestWord> lower{};
    std::transform(token.begin(), token.end(), lower.begin(), AsciiLower);
    return std::binary_search(kSortedWords.begin(), kSortedWords.end(),
                              std::string_view(lower.data(), token.size()));
}

} // namespace dialoscope
