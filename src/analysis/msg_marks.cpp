#include "msg_marks.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>

namespace dialoscope {

namespace {

// Whether text is n's decimal text, the way nearly every mark is written.
bool IsDecimalText(std::int32_t n, std::string_view text) {
    std::array<char, 16> digits{};
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), n);
    return text == std::string_view(digits.data(), written.ptr);
}

} // namespace

TMsgMarks::TMsgMarks(const TMsgMarks& other)
    : Decimals_(other.Decimals_), DecimalsSorted_(other.DecimalsSorted_),
      Rare_(other.Rare_ ? std::make_unique<TRare>(*other.Rare_) : nullptr) {}

TMsgMarks& TMsgMarks::operator=(const TMsgMarks& other) {
    if (this != &other) {
        *this = TMsgMarks(other);
    }
    return *this;
}

const TMsgMarks::TRare& TMsgMarks::Rare() const {
    static const TRare none;
    return Rare_ ? *Rare_ : none;
}

TMsgMarks::TRare& TMsgMarks::RareForChange() {
    if (!Rare_) {
        Rare_ = std::make_unique<TRare>();
    }
    return *Rare_;
}

void TMsgMarks::Set(std::int32_t n, std::string_view text) {
    if (n < Low || n > High) {
        return;
    }
    if (IsDecimalText(n, text)) {
        if (Rare_) {
            Rare_->Texts.erase(n);
        }
        DecimalsSorted_ = DecimalsSorted_ && (Decimals_.empty() || Decimals_.back() < n);
        if (Decimals_.capacity() == 0) {
            // A node uses a few messages: room for them at once spares growing one by one.
            Decimals_.reserve(FirstRoom);
        }
        Decimals_.push_back(n);
        return;
    }
    RareForChange().Texts[n] = std::string(text);
}

void TMsgMarks::SetRange(std::int32_t lo, std::int32_t hi) {
    lo = std::max(lo, Low);
    hi = std::min(hi, High);
    if (hi < lo) {
        return;
    }
    TRare& rare = RareForChange();
    auto& texts = rare.Texts;
    auto& ranges = rare.Ranges;
    // The range's decimal marks replace the single marks written before it; decimal single
    // marks inside it already read the same.
    texts.erase(texts.lower_bound(lo), texts.upper_bound(hi));
    auto next = ranges.upper_bound(lo);
    if (next != ranges.begin()) {
        const auto before = std::prev(next);
        if (before->second >= lo - 1) {
            lo = before->first;
            hi = std::max(hi, before->second);
            next = ranges.erase(before);
        }
    }
    while (next != ranges.end() && next->first <= hi + 1) {
        hi = std::max(hi, next->second);
        next = ranges.erase(next);
    }
    ranges.emplace(lo, hi);
}

bool TMsgMarks::InRanges(std::int32_t n) const {
    const auto& ranges = Rare().Ranges;
    const auto next = ranges.upper_bound(n);
    return next != ranges.begin() && std::prev(next)->second >= n;
}

void TMsgMarks::SortDecimals() const {
    if (DecimalsSorted_) {
        return;
    }
    std::sort(Decimals_.begin(), Decimals_.end());
    Decimals_.erase(std::unique(Decimals_.begin(), Decimals_.end()), Decimals_.end());
    DecimalsSorted_ = true;
}

void TMsgMarks::ShrinkToFit() {
    SortDecimals();
    Decimals_.shrink_to_fit();
}

bool TMsgMarks::IsDecimal(std::int32_t n) const {
    SortDecimals();
    return std::binary_search(Decimals_.begin(), Decimals_.end(), n);
}

std::string TMsgMarks::Mark(std::int32_t n) const {
    const auto& texts = Rare().Texts;
    if (const auto written = texts.find(n); written != texts.end()) {
        return written->second;
    }
    return InRanges(n) || IsDecimal(n) ? std::to_string(n) : std::string();
}

std::vector<std::int32_t> TMsgMarks::SingleNumbers() const {
    SortDecimals();
    const auto& texts = Rare().Texts;
    std::vector<std::int32_t> numbers;
    numbers.reserve(Decimals_.size() + texts.size());
    auto decimal = Decimals_.begin();
    auto text = texts.begin();
    while (decimal != Decimals_.end() || text != texts.end()) {
        std::int32_t n = 0;
        if (text == texts.end() || (decimal != Decimals_.end() && *decimal < text->first)) {
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
    for (const auto& [first, last] : Rare().Ranges) {
        count += last - first + 1;
    }
    return count + static_cast<std::int32_t>(SingleNumbers().size());
}

std::vector<std::pair<std::int32_t, std::string>> TMsgMarks::Sorted() const {
    std::vector<std::pair<std::int32_t, std::string>> marks;
    for (const auto& [first, last] : Rare().Ranges) {
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
