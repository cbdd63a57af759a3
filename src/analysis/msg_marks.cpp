#include "msg_marks.h"

#include <algorithm>
#include <iterator>

namespace dialoscope {

void TMsgMarks::Set(std::int32_t n, std::string text) {
    if (n < Low || n > High) {
        return;
    }
    if (text == std::to_string(n)) {
        Texts_.erase(n);
        DecimalsSorted_ = DecimalsSorted_ && (Decimals_.empty() || Decimals_.back() < n);
        Decimals_.push_back(n);
        return;
    }
    Texts_[n] = std::move(text);
}

void TMsgMarks::SetRange(std::int32_t lo, std::int32_t hi) {
    lo = std::max(lo, Low);
    hi = std::min(hi, High);
    if (hi < lo) {
        return;
    }
    // The range's decimal marks replace the single marks written before it; decimal single
    // marks inside it already read the same.
    Texts_.erase(Texts_.lower_bound(lo), Texts_.upper_bound(hi));
    auto next = Ranges_.upper_bound(lo);
    if (next != Ranges_.begin()) {
        const auto before = std::prev(next);
        if (before->second >= lo - 1) {
            lo = before->first;
            hi = std::max(hi, before->second);
            next = Ranges_.erase(before);
        }
    }
    while (next != Ranges_.end() && next->first <= hi + 1) {
        hi = std::max(hi, next->second);
        next = Ranges_.erase(next);
    }
    Ranges_.emplace(lo, hi);
}

bool TMsgMarks::InRanges(std::int32_t n) const {
    const auto next = Ranges_.upper_bound(n);
    return next != Ranges_.begin() && std::prev(next)->second >= n;
}

void TMsgMarks::SortDecimals() const {
    if (DecimalsSorted_) {
        return;
    }
    std::sort(Decimals_.begin(), Decimals_.end());
    Decimals_.erase(std::unique(Decimals_.begin(), Decimals_.end()), Decimals_.end());
    DecimalsSorted_ = true;
}

bool TMsgMarks::IsDecimal(std::int32_t n) const {
    SortDecimals();
    return std::binary_search(Decimals_.begin(), Decimals_.end(), n);
}

std::string TMsgMarks::Mark(std::int32_t n) const {
    if (const auto written = Texts_.find(n); written != Texts_.end()) {
        return written->second;
    }
    return InRanges(n) || IsDecimal(n) ? std::to_string(n) : std::string();
}

std::vector<std::int32_t> TMsgMarks::SingleNumbers() const {
    SortDecimals();
    std::vector<std::int32_t> numbers;
    numbers.reserve(Decimals_.size() + Texts_.size());
    auto decimal = Decimals_.begin();
    auto text = Texts_.begin();
    while (decimal != Decimals_.end() || text != Texts_.end()) {
        std::int32_t n = 0;
        if (text == Texts_.end() || (decimal != Decimals_.end() && *decimal < text->first)) {
            n = *decimal++;
        } else {
            n = text->first;
            if (decimal != Decimals_.end() && *decimal == n) {
                ++decimal;
            }
            ++text;
        }
        if (!InRanges(n)) {
            numbers.push_back(n);
        }
    }
    return numbers;
}

std::int32_t TMsgMarks::Count() const {
    std::int32_t count = 0;
    for (const auto& [first, last] : Ranges_) {
        count += last - first + 1;
    }
    return count + static_cast<std::int32_t>(SingleNumbers().size());
}

std::vector<std::pair<std::int32_t, std::string>> TMsgMarks::Sorted() const {
    std::vector<std::pair<std::int32_t, std::string>> marks;
    for (const auto& [first, last] : Ranges_) {
        for (std::int32_t n = first; n <= last; ++n) {
            marks.emplace_back(n, Mark(n));
        }
    }
    for (const std::int32_t n : SingleNumbers()) {
        marks.emplace_back(n, Mark(n));
    }
    std::sort(marks.begin(), marks.end());
    return marks;
}

} // namespace dialoscope
