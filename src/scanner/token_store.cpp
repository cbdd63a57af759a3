#include "token_store.h"

#include <algorithm>

namespace dialoscope {

void TTokenStore::Reset() {
    Records_.clear();
    SideTexts_.clear();
    Owned_.clear();
    Data_.clear();
}

void TTokenStore::Release() {
    Records_.Release();
    SideTexts_ = {};
    Owned_ = {};
    Data_ = {};
}

void TTokenStore::AppendSideSlice(TTokenKind kind, std::uint32_t offset, std::int32_t line,
                                  std::int32_t column, std::size_t textBegin,
                                  std::size_t textLength) {
    SideTexts_.push_back({Count(), false, textBegin, textLength});
    Records_.push_back({offset, Pack(kind, kSideSkip, 0), line, column});
}

void TTokenStore::AppendOwned(TTokenKind kind, std::uint32_t offset, std::int32_t line,
                              std::int32_t column, std::string_view text) {
    SideTexts_.push_back({Count(), true, Owned_.size(), text.size()});
    Owned_.emplace_back(text);
    Records_.push_back({offset, Pack(kind, kSideSkip, 0), line, column});
}

void TTokenStore::SetLastData(std::int32_t data) {
    if (data != 0) {
        Data_.emplace_back(Count() - 1, data);
    }
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

TTokenView TTokenStore::ViewAt(std::int32_t index) const {
    const TRecord& record = Records_[static_cast<std::size_t>(index)];
    TTokenView view;
    view.Kind = KindAt(index);
    view.Text = TextAt(index);
    view.Offset = static_cast<std::int32_t>(record.Offset);
    view.Line = record.Line;
    view.Column = record.Column;
    view.Data = Data_.empty() ? 0 : DataAt(index);
    return view;
}

} // namespace dialoscope
