#include "detail/reserved_words.h"

#include "scanner/ascii.h"

#include <cstdint>

namespace dialoscope {

namespace {

// clang-format off
constexpr std::array<std::string_view, kPascalReservedWordCount> kWords = {
    "constructor", "destructor", "record", "procedure", "with", "of", "repeat", "until", "try",
    "finally", "except", "for", "to", "downto", "case", "type", "interface", "implementation",
    "initialization", "finalization", "default", "private", "public", "protected", "published",
    "automated", "property", "program", "read", "write", "override", "object", "nil", "raise",
    "on", "set", "xor", "shr", "shl", "begin", "end", "args", "if", "then", "else", "endif",
    "goto", "while", "do", "var", "true", "false", "or", "and", "not", "mod", "unit", "function",
    "uses", "external", "const", "class", "inherited",
};
// clang-format on

constexpr std::size_t kLongestWord = 14; // "implementation", "initialization"

// Every token of every painted line is looked up, so the words sit in an open-addressing hash
// table rather than being searched.
constexpr std::size_t kSlotCount = 256;
constexpr std::uint8_t kEmptySlot = 0xFF;

constexpr std::size_t HashOf(std::string_view lowerWord) {
    std::uint32_t hash = 2166136261u;
    for (const char c : lowerWord) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash % kSlotCount;
}

constexpr std::array<std::uint8_t, kSlotCount> BuildSlots() {
    std::array<std::uint8_t, kSlotCount> slots{};
    for (auto& slot : slots) {
        slot = kEmptySlot;
    }
    for (std::size_t index = 0; index < kWords.size(); ++index) {
        std::size_t slot = HashOf(kWords[index]);
        while (slots[slot] != kEmptySlot) {
            slot = (slot + 1) % kSlotCount;
        }
        slots[slot] = static_cast<std::uint8_t>(index);
    }
    return slots;
}

constexpr std::array<std::uint8_t, kSlotCount> kSlots = BuildSlots();

} // namespace

const std::array<std::string_view, kPascalReservedWordCount>& PascalReservedWords() {
    return kWords;
}

bool IsPascalReservedWord(std::string_view token) {
    if (token.size() < 2 || token.size() > kLongestWord) {
        return false;
    }
    std::array<char, kLongestWord> buffer{};
    for (std::size_t i = 0; i < token.size(); ++i) {
        buffer[i] = AsciiLower(token[i]);
    }
    const std::string_view lower(buffer.data(), token.size());
    for (std::size_t slot = HashOf(lower); kSlots[slot] != kEmptySlot;
         slot = (slot + 1) % kSlotCount) {
        if (kWords[kSlots[slot]] == lower) {
            return true;
        }
    }
    return false;
}

} // namespace dialoscope
