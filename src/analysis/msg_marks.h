#pragma once
// TMsgMarks: a node's MsgUsed, the mark of every message number the node uses. A range such as
// "Rnd(100,100000)" marks every number in it with its decimal text; keeping such a range as one
// interval, not as 99,901 texts, keeps a script of a thousand such nodes at a few kilobytes;
// a single mark that is just its number's decimal text (nearly all of them) costs four bytes.
// Only 100..100000 have marks; numbers outside are ignored. A later mark replaces an earlier
// one of the same number, whichever way either was written.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dialoscope {

class TMsgMarks {
public:
    static constexpr std::int32_t Low = 100;
    static constexpr std::int32_t High = 100000;

    TMsgMarks() = default;
    TMsgMarks(const TMsgMarks& other);
    TMsgMarks(TMsgMarks&&) noexcept = default;
    TMsgMarks& operator=(const TMsgMarks& other);
    TMsgMarks& operator=(TMsgMarks&&) noexcept = default;
    ~TMsgMarks() = default;

    // The mark of a single number: its text exactly as written ("0105" stays "0105").
    void Set(std::int32_t n, std::string_view text);
    // Marks every number of lo..hi, clipped to 100..100000, with its decimal text; nothing
    // when hi < lo. Costs the same for any width of range.
    void SetRange(std::int32_t lo, std::int32_t hi);

    // The mark of n, empty when none.
    std::string Mark(std::int32_t n) const;
    // Gives back the room the single marks grew into; the marks read the same.
    void ShrinkToFit();

    // How many numbers carry a mark.
    std::int32_t Count() const;
    // Every (number, mark), ascending: one entry per marked number, so a wide range gives many.
    std::vector<std::pair<std::int32_t, std::string>> Sorted() const;

private:
    bool InRanges(std::int32_t n) const;
    bool IsDecimal(std::int32_t n) const; // n is among the decimal single marks
    // Sorts the decimal single marks and drops repeats, once after any number of writes.
    void SortDecimals() const;
    // Every single-marked number not covered by a range, ascending, once each.
    std::vector<std::int32_t> SingleNumbers() const;

    // Ranges and texts written otherwise than in decimals are rare, so they live in a box of
    // their own: every node of a big script carries marks, most of them only decimal ones.
    struct TRare {
        std::map<std::int32_t, std::int32_t> Ranges; // first -> last; disjoint, never adjacent
        std::map<std::int32_t, std::string> Texts;
    };
    const TRare& Rare() const;
    TRare& RareForChange();

    // Single marks, which override the ranges: numbers marked with their decimal text, and the
    // texts written otherwise ("0105"); a text overrides a decimal mark of the same number, and
    // a later decimal mark erases the text.
    static constexpr std::size_t FirstRoom = 4;
    mutable std::vector<std::int32_t> Decimals_;
    mutable bool DecimalsSorted_ = true;
    std::unique_ptr<TRare> Rare_; // null while there is no range and no other text
};

} // namespace dialoscope
