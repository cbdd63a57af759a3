#pragma once
// The scanner's token list, kept compact: one 8-byte record per token whose text is a slice of
// the scanned bytes, found from the record alone. Only the rare token whose text is not such a
// slice (changed by a handler, a CR LF read as one line feed, a far or very long slice) has a
// side entry, and only a non-zero Data is kept, in a side list. Lines and columns are kept per
// run of tokens, not per token: the tokens of one line share a line and a column bias.

#include "record_array.h"
#include "token.h"
#include "token_record.h"

#include <atomic>
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
        Place(offset, line, column);
        if (textLength == 0) {
            Records_.push_back({offset, TTokenRecord::Pack(kind, 0, 0)});
        } else if (textBegin >= offset && skip < TTokenRecord::SideSkip &&
                   textLength <= TTokenRecord::MaxPackedLength) {
            Records_.push_back({offset, TTokenRecord::Pack(kind, skip, textLength)});
        } else {
            AppendSideSlice(kind, offset, textBegin, textLength);
        }
    }
    // Tokens whose texts are the bytes from their offsets on, the common case, a batch at a time.
    void AppendPlain(const TPlainBatch& batch);
    void AppendOwned(TTokenKind kind, std::uint32_t offset, std::int32_t line, std::int32_t column,
                     std::string_view text);
    void SetLastData(std::int32_t data);
    // Room is made a step of tokens at a time (a megabyte of records), so that the core making it
    // can look up between steps and the system's page faults elsewhere are not held up.
    static constexpr std::size_t RoomStep = 1 << 17;
    // Makes room for count more tokens, written from token `from` to token `to` of it (see
    // TRecordArray::PrepareRoom), and for as many tags when withTags.
    void PrepareRoom(std::size_t count, std::size_t from, std::size_t to, bool withTags = false) {
        Records_.PrepareRoom(count, from, to);
        if (withTags) {
            Tags_.PrepareRoom(count, from, to);
        }
    }

    // One byte per token that a tagger chose while the scan read it (see TScanner::TTokenTagger):
    // appended after each token's record; fewer than Count() when a scan appended none.
    void AppendTag(std::uint8_t tag) { Tags_.push_back(tag); }
    void AppendTags(const std::uint8_t* tags, std::size_t count) { Tags_.append(tags, count); }
    const std::uint8_t* Tags() const { return Tags_.data(); }
    std::size_t TagCount() const { return Tags_.size(); }
    // Gives back room made for more tokens than a scan read, when it is much more.
    void TrimRoom() noexcept;
    // Appends other's tokens from index from on, their lines moved by lineDelta. Both lists
    // must slice the same bytes.
    void AppendFrom(const TTokenStore& other, std::int32_t from, std::int32_t lineDelta);

    // Where a reader's last line lookup landed. Readers mostly walk the list in order, so the
    // next lookup is nearly always that run of tokens or the one after it. Atomic so that
    // concurrent readers of a const list stay race-free; a copy starts from the first run. A
    // reader that walks a part of the list on its own (on a second core) keeps its own hint, or
    // the readers would keep moving one another's.
    class TLineHint {
    public:
        TLineHint() = default;
        TLineHint(const TLineHint&) {}
        TLineHint& operator=(const TLineHint&) {
            Set(0);
            return *this;
        }
        std::size_t Get() const { return Value_.load(std::memory_order_relaxed); }
        void Set(std::size_t value) const { Value_.store(value, std::memory_order_relaxed); }

    private:
        mutable std::atomic<std::size_t> Value_{0};
    };

    TTokenKind KindAt(std::int32_t index) const {
        return Records_[static_cast<std::size_t>(index)].Kind();
    }
    std::string_view TextAt(std::int32_t index) const {
        const TTokenRecord& record = Records_[static_cast<std::size_t>(index)];
        const std::uint32_t skip = record.Skip();
        const std::uint32_t length = record.Length();
        if (skip == TTokenRecord::SideSkip) {
            return SideTextAt(index);
        }
        if (length == 0) {
            return {};
        }
        return std::string_view(Bytes_->data() + record.Offset + skip, length);
    }
    std::int32_t LineAt(std::int32_t index) const { return AnchorAt(index, Hint_).Line; }
    std::int32_t LineAt(std::int32_t index, const TLineHint& hint) const {
        return AnchorAt(index, hint).Line;
    }
    TTokenView ViewAt(std::int32_t index) const { return ViewAt(index, Hint_); }
    TTokenView ViewAt(std::int32_t index, const TLineHint& hint) const;

private:
    struct TSideText {
        std::int32_t Index;
        bool IsOwned;
        std::size_t Begin; // into the bound bytes, or into Owned_
        std::size_t Length;
    };

    // Starts a new anchor unless the token continues the last one.
    void Place(std::uint32_t offset, std::int32_t line, std::int32_t column) {
        const std::uint32_t bias = static_cast<std::uint32_t>(column) - offset;
        if (!Anchors_.empty()) {
            const TLineRun& last = Anchors_.back();
            if (last.Line == line && last.ColumnBias == bias) {
                return;
            }
        }
        Anchors_.push_back({Count(), line, bias});
    }
    const TLineRun& AnchorAt(std::int32_t index, const TLineHint& hint) const;
    // The anchor whose run holds token index.
    std::size_t AnchorIndexOf(std::int32_t index) const;
    void AppendSideSlice(TTokenKind kind, std::uint32_t offset, std::size_t textBegin,
                         std::size_t textLength);
    std::string_view SideTextAt(std::int32_t index) const;
    std::int32_t DataAt(std::int32_t index) const;

    const std::string* Bytes_ = nullptr;
    TRecordArray<TTokenRecord> Records_;
    TRecordArray<TLineRun> Anchors_; // in token order, one per run of tokens
    TRecordArray<std::uint8_t> Tags_;
    TLineHint Hint_;
    std::vector<TSideText> SideTexts_; // in token order
    std::deque<std::string> Owned_;    // a deque, so views into earlier texts stay valid
    std::vector<std::pair<std::int32_t, std::int32_t>> Data_; // (index, Data), in token order
};

} // namespace dialoscope
