#pragma once
// A node's lists: its said lines, answers, calls and message uses. A big script keeps a few
// hundred thousand nodes, and a string and a growing list per item cost several heap blocks
// each, so a finished node keeps one block: a 16-byte entry per item, grouped by list, then the
// texts back to back; a message use adds 8 bytes for its numbers. TNodeListsBuilder collects
// them while a node is analysed, in whatever order the statements come; Finish makes the compact
// copy.

#include "message_use.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

struct TAnswer {
    std::string_view Caption; // "answer =..."
    std::string_view Target;  // the node name after "@"
    std::int32_t Line = 0;    // script line of the "Answer" token, 0 when unknown
};

// Where a node uses a message, for the checks and the statistics (nothing in the listing, the
// trees or the searches reads it): the message part as captioned ("101", "100-105", "5:123"),
// the script line of the statement, or of the GetStr item for a later part of a concatenation,
// and what that message reference means as a value.
struct TMsgUse {
    std::string_view Ref;
    std::int32_t Line = 0;
    TMsgRef Value;
    TSaidKind Statement = TSaidKind::Say;
    TSpeaker Speaker = TSpeaker::None;
    std::string_view SpeakerText; // the speaker's expression when Speaker is Other
};

// What a message use records besides its text and line.
struct TMsgUseValue {
    TMsgRef Value;
    TSaidKind Statement = TSaidKind::Say;
    TSpeaker Speaker = TSpeaker::None;
    std::string_view SpeakerText; // kept only when Speaker is Other
};

namespace node_lists_detail {

enum class TList : std::uint8_t { Lines, Answers, Jumps, MsgUses };
inline constexpr std::size_t ListCount = 4;

// One item: its text (an answer's caption, then its target right after it) and its line. A
// message use keeps its speaker's text where an answer keeps its target, and its kinds in the top
// byte of TargetSize (see TMsgUseBits).
struct TEntry {
    std::uint32_t Offset = 0;
    std::uint32_t Size = 0;
    std::uint32_t TargetSize = 0;
    std::int32_t Line = 0;
};

// A list read in a range-for loop: Get(lists, i) for i from 0 below count.
template <typename TLists, typename TGet> class TListRange {
public:
    class TIterator {
    public:
        TIterator(const TLists* lists, std::int32_t i) : Lists_(lists), I_(i) {}
        auto operator*() const { return TGet{}(*Lists_, I_); }
        TIterator& operator++() {
            ++I_;
            return *this;
        }
        bool operator==(const TIterator& other) const { return I_ == other.I_; }

    private:
        const TLists* Lists_;
        std::int32_t I_;
    };
    TListRange(const TLists& lists, std::int32_t count) : Lists_(&lists), Count_(count) {}
    TIterator begin() const { return {Lists_, 0}; }
    TIterator end() const { return {Lists_, Count_}; }

private:
    const TLists* Lists_;
    std::int32_t Count_;
};

// A message use's kinds and speaker size in TEntry::TargetSize: the reference kind in bits
// 24-25, the statement in 26-28, the speaker in 29-30; the speaker's text size below, so a
// speaker expression longer than MaxSpeakerSize keeps only its first MaxSpeakerSize bytes.
struct TMsgUseBits {
    static constexpr std::uint32_t MaxSpeakerSize = 0xFFFFFF;
    static std::uint32_t Pack(const TMsgUseValue& use, std::uint32_t speakerSize);
    static void Unpack(std::uint32_t bits, TMsgUse& use);
    static std::uint32_t SpeakerSize(std::uint32_t bits) { return bits & MaxSpeakerSize; }
};

// A message use's numbers, kept after the entries: two to an entry's room.
struct TMsgNumbers {
    std::int32_t Number = 0;
    std::int32_t Second = 0; // Range: the high end; OtherScript: the script number
};
static_assert(2 * sizeof(TMsgNumbers) == sizeof(TEntry), "two message uses' numbers per entry");

} // namespace node_lists_detail

class TNodeLists {
public:
    std::int32_t LineCount() const { return Count(TList::Lines); }
    std::int32_t AnswerCount() const { return Count(TList::Answers); }
    std::int32_t JumpCount() const { return Count(TList::Jumps); }
    std::int32_t MsgUseCount() const { return Count(TList::MsgUses); }

    // Items by 0-based index, below their list's count. The views live as long as these lists.
    std::string_view Line(std::int32_t i) const { return TextOf(At(TList::Lines, i)); }
    TAnswer Answer(std::int32_t i) const;
    std::string_view Jump(std::int32_t i) const { return TextOf(At(TList::Jumps, i)); }
    // The script line of call i, 0 when unknown.
    std::int32_t JumpLine(std::int32_t i) const { return At(TList::Jumps, i).Line; }
    TMsgUse MsgUse(std::int32_t i) const;

    // The same items for range-for loops.
    auto Lines() const;
    auto Answers() const;
    auto Jumps() const;
    auto MsgUses() const;

private:
    friend class TNodeListsBuilder;
    using TList = node_lists_detail::TList;
    using TEntry = node_lists_detail::TEntry;
    using TMsgNumbers = node_lists_detail::TMsgNumbers;

    template <auto Get> struct TGetter {
        auto operator()(const TNodeLists& lists, std::int32_t i) const { return (lists.*Get)(i); }
    };
    template <auto Get> using TRange = node_lists_detail::TListRange<TNodeLists, TGetter<Get>>;
    std::uint32_t Begin(TList list) const; // where a list starts in Block_
    std::int32_t Count(TList list) const;
    const TEntry& At(TList list, std::int32_t i) const;
    // The message uses' numbers follow the entries, two to an entry's room.
    static std::uint32_t NumbersRoom(std::size_t useCount) {
        return static_cast<std::uint32_t>((useCount + 1) / 2);
    }
    TMsgNumbers NumbersOf(std::int32_t use) const;
    // The texts start right after the numbers.
    const char* Texts() const {
        return reinterpret_cast<const char*>(Block_.data() + Ends_.back() +
                                             NumbersRoom(static_cast<std::size_t>(MsgUseCount())));
    }
    std::string_view TextOf(const TEntry& entry) const {
        return {Texts() + entry.Offset, entry.Size};
    }

    // The lines, then the answers, the calls and the message uses; then the message uses'
    // numbers; then, in the room of as many more entries as they need, the texts.
    std::vector<TEntry> Block_;
    std::array<std::uint32_t, node_lists_detail::ListCount> Ends_{}; // where each list ends
};

inline auto TNodeLists::Lines() const {
    return TRange<&TNodeLists::Line>(*this, LineCount());
}
inline auto TNodeLists::Answers() const {
    return TRange<&TNodeLists::Answer>(*this, AnswerCount());
}
inline auto TNodeLists::Jumps() const {
    return TRange<&TNodeLists::Jump>(*this, JumpCount());
}
inline auto TNodeLists::MsgUses() const {
    return TRange<&TNodeLists::MsgUse>(*this, MsgUseCount());
}

class TNodeListsBuilder {
public:
    void AddLine(std::string_view text) { Add(TList::Lines, text, {}, 0); }
    void AddAnswer(std::string_view caption, std::string_view target, std::int32_t line) {
        Add(TList::Answers, caption, target, line);
    }
    void AddJump(std::string_view name, std::int32_t line) { Add(TList::Jumps, name, {}, line); }
    // An empty part (a reference that did not convert) is not recorded.
    void AddMsgUse(std::string_view ref, std::int32_t line, const TMsgUseValue& value = {});
    // The lists so far, in blocks of exactly their size.
    TNodeLists Finish() const;
    // Starts the next node; keeps the room grown so far.
    void Clear();
    // When nothing will read the lists, every Add is dropped and Finish gives empty lists.
    void KeepNothing(bool nothing) { KeepsNothing_ = nothing; }

private:
    using TList = node_lists_detail::TList;
    using TEntry = node_lists_detail::TEntry;
    using TMsgNumbers = node_lists_detail::TMsgNumbers;

    // targetSize: what TargetSize keeps, when it is not target's size.
    void Add(TList list, std::string_view text, std::string_view target, std::int32_t line,
             std::uint32_t targetSize);
    void Add(TList list, std::string_view text, std::string_view target, std::int32_t line) {
        Add(list, text, target, line, static_cast<std::uint32_t>(target.size()));
    }
    std::size_t EntryCount() const;

    std::string Text_;
    std::array<std::vector<TEntry>, node_lists_detail::ListCount> Lists_;
    std::vector<TMsgNumbers> Numbers_; // one per message use
    bool KeepsNothing_ = false;
};

} // namespace dialoscope
