#pragma once
// The scanner's token list, kept compact: one 16-byte record per token whose text is a slice of
// the scanned bytes, found from the record alone. Only the rare token whose text is not such a
// slice (changed by a handler, a CR LF read as one line feed, a far or very long slice) has a
// side entry, and only a non-zero Data is kept, in a side list.

#include "record_array.h"
#include "token.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

class TTokenStore {
public:
    // The bytes that slices point into; they must outlive the records.
    void Bind(const std::string* bytes) { Bytes_ = bytes; }

    // Keeps the capacity, for a scan that follows at once.
    void Reset();
    // Gives the memory back.
    void Release();

    std::int32_t Count() const { return static_cast<std::int32_t>(Records_.size()); }

    // textBegin indexes the bound bytes.
    void AppendSlice(TTokenKind kind, std::uint32_t offset, std::int32_t line, std::int32_t column,
                     std::size_t textBegin, std::size_t textLength) {
        const std::size_t skip = textBegin - offset;
        if (textLength == 0) {
            Records_.push_back({offset, Pack(kind, 0, 0), line, column});
        } else if (textBegin >= offset && skip < kSideSkip && textLength <= kMaxPackedLength) {
            Records_.push_back({offset, Pack(kind, skip, textLength), line, column});
        } else {
            AppendSideSlice(kind, offset, line, column, textBegin, textLength);
        }
    }
    // A token whose text is the bytes from its offset on, the common case.
    void AppendAtOffset(TTokenKind kind, std::uint32_t offset, std::int32_t line,
                        std::int32_t column, std::size_t textLength) {
        if (textLength > kMaxPackedLength) [[unlikely]] {
            AppendSideSlice(kind, offset, line, column, offset, textLength);
            return;
        }
        Records_.push_back({offset, Pack(kind, 0, textLength), line, column});
    }
    void AppendOwned(TTokenKind kind, std::uint32_t offset, std::int32_t line, std::int32_t column,
                     std::string_view text);
    void SetLastData(std::int32_t data);

    TTokenKind KindAt(std::int32_t index) const {
        return static_cast<TTokenKind>(Records_[static_cast<std::size_t>(index)].Packed & 0xF);
    }
    std::string_view TextAt(std::int32_t index) const {
        const TRecord& record = Records_[static_cast<std::size_t>(index)];
        const std::uint32_t skip = (record.Packed >> 4) & 0xF;
        const std::uint32_t length = record.Packed >> 8;
        if (skip == kSideSkip) {
            return SideTextAt(index);
        }
        if (length == 0) {
            return {};
        }
        return std::string_view(Bytes_->data() + record.Offset + skip, length);
    }
    TTokenView ViewAt(std::int32_t index) const;

private:
    struct TRecord {
        std::uint32_t Offset;
        std::uint32_t Packed; // kind: bits 0-3, text skip after Offset: 4-7, text length: 8-31
        std::int32_t Line;
        std::int32_t Column;
    };
    static_assert(sizeof(TRecord) == 16);

    struct TSideText {
        std::int32_t Index;
        bool IsOwned;
        std::size_t Begin; // into the bound bytes, or into Owned_
        std::size_t Length;
    };

    static constexpr std::uint32_t kSideSkip = 15;
    static constexpr std::size_t kMaxPackedLength = (std::size_t{1} << 24) - 1;

    static std::uint32_t Pack(TTokenKind kind, std::size_t skip, std::size_t length) {
        return static_cast<std::uint32_t>(kind) | static_cast<std::uint32_t>(skip << 4) |
               static_cast<std::uint32_t>(length << 8);
    }
    void AppendSideSlice(TTokenKind kind, std::uint32_t offset, std::int32_t line,
                         std::int32_t column, std::size_t textBegin, std::size_t textLength);
    std::string_view SideTextAt(std::int32_t index) const;
    std::int32_t DataAt(std::int32_t index) const;

    const std::string* Bytes_ = nullptr;
    TRecordArray<TRecord> Records_;
    std::vector<TSideText> SideTexts_; // in token order
    std::deque<std::string> Owned_;    // a deque, so views into earlier texts stay valid
    std::vector<std::pair<std::int32_t, std::int32_t>> Data_; // (index, Data), in token order
};

} // namespace dialoscope
