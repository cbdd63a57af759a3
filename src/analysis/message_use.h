#pragma once
// A message part as a value: what the node analysis read where a node says or offers a message
// (which statement, who speaks, which message), made once beside the caption it writes, so that
// the marks, the checks, the statistics and the exports never read "5:123" or "100-105" back out
// of caption text.

#include <cstdint>
#include <string_view>

namespace dialoscope {

enum class TMsgRefKind : std::uint8_t {
    Single,      // "101": a message of the loaded script
    Range,       // "100-105": Rnd over the loaded script's messages
    OtherScript, // "5:123": message 123 of script number 5 in scripts.lst
    Literal,     // anything else: a string or expression of a concatenation, a variable
};

// A message reference as a value.
struct TMsgRef {
    TMsgRefKind Kind = TMsgRefKind::Literal;
    std::int32_t Number = 0; // Single: the number; Range: the low end; OtherScript: the message
    std::int32_t High = 0;   // Range: the high end
    std::int32_t Script = 0; // OtherScript: the script number
    bool operator==(const TMsgRef&) const = default;

    // A range's ends in number order: Rnd(119,117) names the same messages as Rnd(117,119) to
    // every reader but the specified marks, which take it as written and mark nothing.
    std::int32_t First() const { return Number <= High ? Number : High; }
    std::int32_t Last() const { return Number <= High ? High : Number; }
    bool IsReversed() const { return Kind == TMsgRefKind::Range && High < Number; }
};

// A message part as the node analysis captions it: a number, a range "lo-hi" or a reference
// "s:n"; anything that does not convert is a literal.
TMsgRef ReadMsgRef(std::string_view text);
// Whether a message part is one to nine decimal digits and nothing else, the common part: it
// reads as a single message and holds none of the bytes the other forms are told by.
bool IsPlainMessageNumber(std::string_view text);

// The statement that uses the message; a GetStr item of a concatenation has its statement's kind.
enum class TSaidKind : std::uint8_t { Say, Write, SayWOAnswer, SayForAnswer, Answer };

// Who says it: only Say names a speaker; the other statements record None.
enum class TSpeaker : std::uint8_t { None, Self, Player, Other };

} // namespace dialoscope
