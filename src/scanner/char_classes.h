#pragma once
// Byte-class tables derived from one scanner configuration. They answer, with one load per
// byte, what a character does where a token may start and which bytes a state may take in a
// fast run: a run byte behaves exactly like the slow path would (it is not 0, CR, LF or a lead
// byte, so reading it only moves the column on by one).

#include "ascii.h"
#include "code_page.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace dialoscope {

// What the start state does with a peeked character; the order of the tests is already applied.
enum class TStartAction : std::uint8_t {
    Identifier,
    DoubleQuote,
    Dollar,
    SingleQuote,
    Zero,
    Digit,
    Blank,     // a tab or a space: skipped
    LineBreak, // a CR, LF or 0 byte: skipped through the line-counting read
    Special,   // a plain special char that begins no comment marker
    Error,     // a plain byte that begins nothing
    Other,     // may begin a comment marker, or needs the careful read
};

enum TCharFlag : std::uint16_t {
    IdentifierMember = 1 << 0,   // in the identifier set
    IdentifierContinue = 1 << 1, // continues an identifier (the set, or a digit with figures)
    IdentifierRun = 1 << 2,
    DigitRun = 1 << 3,
    HexRun = 1 << 4,
    BlankRun = 1 << 5,
    SingleQuoteRun = 1 << 6,
    DoubleQuoteRun = 1 << 7,
    LineCommentRun = 1 << 8,
    BlockCommentRun = 1 << 9,
    MarkerStart = 1 << 10, // may begin the line or the block comment marker
    SpecialMember = 1 << 11,
    LeadByte = 1 << 12,
    Plain = 1 << 13, // reading it moves the column on by one and nothing else
    // Standing right after an identifier's run, the byte ends the identifier: a plain byte
    // outside the run, or one whose peeked character does not continue an identifier.
    WordEnd = 1 << 14,
};

struct TCharClassInput {
    const std::array<bool, 256>* IdentifierSet;
    const std::array<bool, 256>* SpecialSet;
    bool AllowFigures;
    bool CaseSensitive;
    std::string_view CommentLine;
    std::string_view CommentBegin;
    std::string_view CommentEnd;
    const TCodePage* CodePage;
};

class TCharClasses {
public:
    void Build(const TCharClassInput& input);

    bool Has(unsigned char byte, std::uint16_t flag) const { return (Flags_[byte] & flag) != 0; }
    TStartAction StartAction(unsigned char byte) const { return Start_[byte]; }
    const std::uint16_t* Flags() const { return Flags_.data(); }
    const TStartAction* StartActions() const { return Start_.data(); }

private:
    void BuildStartActions(const TCharClassInput& input);
    void BuildRuns(const TCharClassInput& input);
    void RefineOtherStarts();
    void MarkWordEnds();
    void MarkMarkerStart(std::string_view marker, bool caseSensitive, std::uint16_t flag);

    std::array<std::uint16_t, 256> Flags_{};
    std::array<TStartAction, 256> Start_{};
};

constexpr bool IsAsciiLetter(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}
constexpr bool IsDecimalDigit(unsigned char byte) {
    return byte >= '0' && byte <= '9';
}
constexpr bool IsHexDigit(unsigned char byte) {
    return IsDecimalDigit(byte) || (byte >= 'A' && byte <= 'F') || (byte >= 'a' && byte <= 'f');
}

} // namespace dialoscope
