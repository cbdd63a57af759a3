#include "msg_marks.h"

#include <algorithm>
#include <iterator>

namespace dialoscope {

void TMsgMarks::Set(std::int32_t n, std::string text) {
    if (n < Low || n > High) {
        return;
    }
    Written_[n] = std::move(text);
}

void TMsgMarks::SetRange(std::int32_t lo, std::int32_t hi) {
    lo = std::max(lo, Low);
    hi = std::min(hi, High);
    if (hi < lo) {
        return;
    }
    // The range's decimal marks replace the single marks written before it.
    Written_.erase(Written_.lower_bound(lo), Written_.upper_bound(hi));
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

std::string TMsgMarks::Mark(std::int32_t n) const {
    if (const auto written = Written_.find(n); written != Written_.end()) {
        return written->second;
    }
    return InRanges(n) ? std::to_string(n) : std::string();
}

std::int32_t TMsgMarks::Count() const {
    std::int32_t count = 0;
    for (const auto& [first, last] : Ranges_) {
        count += last - first + 1;
    }
    for (const auto& written : Written_) {
        count += InRanges(written.first) ? 0 : 1;
    }
    return count;
}

std::vector<std::pair<std::int32_t, std::string>> TMsgMarks::Sorted() const {
    std::vector<std::pair<std::int32_t, std::string>> marks;
    for (const auto& [first, last] : Ranges_) {
        for (std::int32_t n = first; n <= last; ++n) {
            marks.emplace_back(n, Mark(n));
        }
    }
    for (const auto& [n, text] : Written_) {
        if (!InRanges(n)) {
            marks.emplace_back(n, text);
        }
    }
    std::sort(marks.begin(), marks.end());
    return marks;
}

} // namespace dialoscope
