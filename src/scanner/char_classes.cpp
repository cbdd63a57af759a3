#include "char_classes.h"

namespace dialoscope {

namespace {

// A byte that needs the slow path in every state: reading it may count a line, pair with the
// next byte or (0) peek as a line feed.
bool IsLineBreakOrZero(unsigned byte) {
    return byte == 0 || byte == '\n' || byte == '\r';
}

TStartAction ClassifyStart(unsigned char byte, bool identifier) {
    // The identifier test comes first, so an additional character wins over every other rule.
    if (identifier) {
        return TStartAction::Identifier;
    }
    switch (byte) {
    case '"':
        return TStartAction::DoubleQuote;
    case '$':
        return TStartAction::Dollar;
    case '\'':
        return TStartAction::SingleQuote;
    case '0':
        return TStartAction::Zero;
    case '\t':
    case ' ':
        return TStartAction::Blank;
    case '\n':
    case '\r':
        return TStartAction::LineBreak;
    default:
        return IsDecimalDigit(byte) ? TStartAction::Digit : TStartAction::Other;
    }
}

} // namespace

void TCharClasses::Build(const TCharClassInput& input) {
    Flags_.fill(0);
    for (unsigned byte = 0; byte < 256; ++byte) {
        std::uint16_t flags = 0;
        if ((*input.IdentifierSet)[byte]) {
            flags |= IdentifierMember | IdentifierContinue;
        }
        if (input.AllowFigures && IsDecimalDigit(static_cast<unsigned char>(byte))) {
            flags |= IdentifierContinue;
        }
        if ((*input.SpecialSet)[byte]) {
            flags |= SpecialMember;
        }
        if (input.CodePage->IsLeadByte(static_cast<unsigned char>(byte))) {
            flags |= LeadByte;
        }
        Flags_[byte] = flags;
    }
    BuildStartActions(input);
    BuildRuns(input);
    MarkMarkerStart(input.CommentLine, input.CaseSensitive, MarkerStart);
    MarkMarkerStart(input.CommentBegin, input.CaseSensitive, MarkerStart);
    RefineOtherStarts();
    MarkWordEnds();
}

void TCharClasses::MarkWordEnds() {
    for (unsigned byte = 0; byte < 256; ++byte) {
        const std::uint16_t flags = Flags_[byte];
        // A 0 byte peeks as a line feed.
        const std::uint16_t peeked = Flags_[byte == 0 ? '\n' : byte];
        const bool ends = (flags & Plain) != 0 ? (flags & IdentifierRun) == 0
                                               : (peeked & IdentifierContinue) == 0;
        if (ends) {
            Flags_[byte] |= WordEnd;
        }
    }
}

// Single-byte tokens that cannot begin a marker need no look at the bytes after them.
void TCharClasses::RefineOtherStarts() {
    for (unsigned byte = 1; byte < 256; ++byte) {
        if (Start_[byte] != TStartAction::Other ||
            (Flags_[byte] & (MarkerStart | Plain)) != Plain) {
            continue;
        }
        Start_[byte] =
            (Flags_[byte] & SpecialMember) != 0 ? TStartAction::Special : TStartAction::Error;
    }
}

void TCharClasses::BuildStartActions(const TCharClassInput& input) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        Start_[byte] =
            ClassifyStart(static_cast<unsigned char>(byte), (*input.IdentifierSet)[byte]);
    }
    // A 0 byte peeks as a line feed.
    Start_[0] = Start_['\n'];
}

void TCharClasses::BuildRuns(const TCharClassInput& input) {
    const unsigned char endFirst =
        input.CommentEnd.empty() ? 0 : static_cast<unsigned char>(input.CommentEnd.front());
    for (unsigned byte = 0; byte < 256; ++byte) {
        const auto c = static_cast<unsigned char>(byte);
        if (IsLineBreakOrZero(byte) || (Flags_[byte] & LeadByte) != 0) {
            continue;
        }
        std::uint16_t runs = Plain | LineCommentRun;
        if ((Flags_[byte] & IdentifierContinue) != 0) {
            runs |= IdentifierRun;
        }
        if (IsDecimalDigit(c)) {
            runs |= DigitRun;
        }
        if (IsHexDigit(c)) {
            runs |= HexRun;
        }
        if (Start_[byte] == TStartAction::Blank) {
            runs |= BlankRun;
        }
        if (c != '\'') {
            runs |= SingleQuoteRun;
        }
        if (c != '"') {
            runs |= DoubleQuoteRun;
        }
        const bool mayEndComment =
            !input.CommentEnd.empty() &&
            (input.CaseSensitive ? c == endFirst : AsciiUpper(c) == AsciiUpper(endFirst));
        if (!mayEndComment) {
            runs |= BlockCommentRun;
        }
        Flags_[byte] |= runs;
    }
}

void TCharClasses::MarkMarkerStart(std::string_view marker, bool caseSensitive,
                                   std::uint16_t flag) {
    if (marker.empty()) {
        return;
    }
    const auto first = static_cast<unsigned char>(marker.front());
    for (unsigned byte = 0; byte < 256; ++byte) {
        const auto c = static_cast<unsigned char>(byte);
        if (caseSensitive ? c == first : AsciiUpper(c) == AsciiUpper(first)) {
            Flags_[byte] |= flag;
        }
    }
}

} // namespace dialoscope
