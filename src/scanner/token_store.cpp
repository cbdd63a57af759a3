#include "token_store.h"

#include <algorithm>

namespace dialoscope {

void TTokenStore::Reset() {
    Records_.clear();
    Anchors_.clear();
    Tags_.clear();
    Hint_.Set(0);
    SideTexts_.clear();
    Owned_.clear();
    Data_.clear();
}

void TTokenStore::Release() {
    Records_.Release();
    Anchors_.Release();
    Tags_.Release();
    Hint_.Set(0);
    SideTexts_ = {};
    Owned_ = {};
    Data_ = {};
}

void TTokenStore::TrimRoom() noexcept {
    if (Records_.capacity() - Records_.size() > Records_.size() / 8) {
        Records_.ShrinkToFit();
    }
    if (Tags_.capacity() - Tags_.size() > Tags_.size() / 8) {
        Tags_.ShrinkToFit();
    }
}

void TTokenStore::AppendSideSlice(TTokenKind kind, std::uint32_t offset, std::size_t textBegin,
                                  std::size_t textLength) {
    SideTexts_.push_back({Count(), false, textBegin, textLength});
    Records_.push_back({offset, TTokenRecord::Pack(kind, TTokenRecord::SideSkip, 0)});
}

// A batch's first line run continues the list's last one when it lies on the same line with
// the same column bias.
void TTokenStore::AppendPlain(const TPlainBatch& batch) {
    const std::int32_t first = Count();
    for (std::size_t run = 0; run < batch.LineCount; ++run) {
        TLineRun line = batch.Lines[run];
        line.FirstToken += first;
        if (run == 0 && !Anchors_.empty() && Anchors_.back().Line == line.Line &&
            Anchors_.back().ColumnBias == line.ColumnBias) {
            continue;
        }
        Anchors_.push_back(line);
    }
    Records_.append(batch.Records, batch.Count);
}

void TTokenStore::AppendOwned(TTokenKind kind, std::uint32_t offset, std::int32_t line,
                              std::int32_t column, std::string_view text) {
    Place(offset, line, column);
    SideTexts_.push_back({Count(), true, Owned_.size(), text.size()});
    Owned_.emplace_back(text);
    Records_.push_back({offset, TTokenRecord::Pack(kind, TTokenRecord::SideSkip, 0)});
}

void TTokenStore::SetLastData(std::int32_t data) {
    if (data != 0) {
        Data_.emplace_back(Count() - 1, data);
    }
}

void TTokenStore::AppendFrom(const TTokenStore& other, std::int32_t from, std::int32_t lineDelta) {
    const std::int32_t shift = Count() - from;
    for (std::size_t a = other.AnchorIndexOf(from); a < other.Anchors_.size(); ++a) {
        const TLineRun& anchor = other.Anchors_[a];
        const std::int32_t first = std::max(anchor.FirstToken, from) + shift;
        const std::int32_t line = anchor.Line + lineDelta;
        if (Anchors_.empty() || Anchors_.back().Line != line ||
            Anchors_.back().ColumnBias != anchor.ColumnBias) {
            Anchors_.push_back({first, line, anchor.ColumnBias});
        }
    }
    for (const TSideText& side : other.SideTexts_) {
        if (side.Index < from) {
            continue;
        }
        if (side.IsOwned) {
            SideTexts_.push_back({side.Index + shift, true, Owned_.size(), side.Length});
            Owned_.push_back(other.Owned_[side.Begin]);
        } else {
            SideTexts_.push_back({side.Index + shift, false, side.Begin, side.Length});
        }
    }
    for (const auto& [index, data] : other.Data_) {
        if (index >= from) {
            Data_.emplace_back(index + shift, data);
        }
    }
    const std::size_t taken = other.Records_.size() - static_cast<std::size_t>(from);
    // Tags only while every token has one on both sides.
    if (Tags_.size() == Records_.size() && other.Tags_.size() == other.Records_.size()) {
        Tags_.append(other.Tags_.data() + from, taken);
    }
    Records_.append(other.Records_.data() + from, taken);
}

std::string_view TTokenStore::SideTextAt(std::int32_t index) const {
    const auto entry = std::lower_bound(
        SideTexts_.begin(), SideTexts_.end(), index,
        [](const TSideText& side, std::int32_t wanted) { return side.Index < wanted; });
    if (entry->IsOwned) {
        return Owned_[entry->Begin];
    }
    return std::string_view(Bytes_->data() + entry->Begin, entry->Length);
}

std::int32_t TTokenStore::DataAt(std::int32_t index) const {
    const auto entry = std::lower_bound(Data_.begin(), Data_.end(), index,
                                        [](const std::pair<std::int32_t, std::int32_t>& data,
                                           std::int32_t wanted) { return data.first < wanted; });
    return (entry != Data_.end() && entry->first == index) ? entry->second : 0;
}

std::size_t TTokenStore::AnchorIndexOf(std::int32_t index) const {
    const auto after = std::upper_bound(
        Anchors_.data(), Anchors_.data() + Anchors_.size(), index,
        [](std::int32_t wanted, const TLineRun& anchor) { return wanted < anchor.FirstToken; });
    return after == Anchors_.data() ? 0 : static_cast<std::size_t>(after - Anchors_.data()) - 1;
}

const TLineRun& TTokenStore::AnchorAt(std::int32_t index, const TLineHint& hint) const {
    const std::size_t count = Anchors_.size();
    const auto startsAfter = [&](std::size_t anchor) {
        return anchor == count || Anchors_[anchor].FirstToken > index;
    };
    // Readers mostly move forward, or go back a few lines to walk a node again: a few steps
    // from the hint find the run without touching the rest of a big table.
    constexpr std::size_t NearbyRuns = 16;
    const std::size_t from = std::min(hint.Get(), count - 1);
    std::size_t low = 0;
    std::size_t high = count;
    if (Anchors_[from].FirstToken <= index) {
        for (std::size_t at = from; at < count && at <= from + NearbyRuns; ++at) {
            if (startsAfter(at + 1)) {
                if (at != from) {
                    hint.Set(at);
                }
                return Anchors_[at];
            }
        }
        low = from; // the binary search below starts from here
    } else {
        for (std::size_t at = from; at > 0 && at + NearbyRuns >= from; --at) {
            if (Anchors_[at - 1].FirstToken <= index) {
                hint.Set(at - 1);
                return Anchors_[at - 1];
            }
        }
        high = from;
    }
    // The last anchor that starts at or before index; the first token always starts one.
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        if (Anchors_[middle].FirstToken <= index) {
            low = middle;
        } else {
            high = middle;
        }
    }
    hint.Set(low);
    return Anchors_[low];
}

TTokenView TTokenStore::ViewAt(std::int32_t index, const TLineHint& hint) const {
    const TTokenRecord& record = Records_[static_cast<std::size_t>(index)];
    TTokenView view;
    view.Kind = KindAt(index);
    view.Text = TextAt(index);
    view.Offset = static_cast<std::int32_t>(record.Offset);
    const TLineRun& anchor = AnchorAt(index, hint);
    view.Line = anchor.Line;
    view.Column = static_cast<std::int32_t>(record.Offset + anchor.ColumnBias);
    view.Data = Data_.empty() ? 0 : DataAt(index);
    return view;
}

} // namespace dialoscope
