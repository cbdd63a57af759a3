#pragma once
// TTokenReader: reads one token at a time from a byte range into the current-token fields, the
// state machine behind TScanner. Each state has a fast loop over run bytes (see char_classes.h)
// and falls back to the character-by-character rules for everything else, so both give the
// same tokens, texts and positions.

#include "char_classes.h"
#include "token.h"
#include "token_record.h"
#include "token_tag_cache.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace dialoscope {

struct TReaderSettings {
    const TCharClasses* Classes = nullptr;
    std::string_view CommentLine;
    std::string_view CommentBegin;
    std::string_view CommentEnd;
    bool CaseSensitive = false;
    bool DollarIsSpecial = false;
};

// The reader between two tokens: everything that decides how it reads on, the position of the
// next unread byte, its column and the flags. Two readers in equal states over the same bytes
// read the same tokens from there on, their lines apart by a constant: a field that changes how
// the reader goes on belongs here, where == compares it. Column is wider than a token's field
// only so that counting past the last byte of the largest accepted stream cannot overflow.
struct TReaderState {
    std::size_t Position = 0;
    std::int64_t Column = 1;
    bool EndOfInput = false;
    bool OpenBlockComment = false;

    bool operator==(const TReaderState&) const = default;
};

// What the scanner keeps between reads: the reader's state, and the line number, which only
// counts and never changes how the reader reads on.
struct TReaderCounters : TReaderState {
    std::int64_t Line = 1;
};

// The token just read. Its text is the slice [TextBegin, TextEnd) of the bytes unless Owned,
// which only happens when a read character differs from the byte under it (a CR LF pair read
// as one line feed).
struct TReadToken {
    std::uint32_t Offset = 0;
    std::int32_t Line = 1;
    std::int32_t Column = 1;
    std::size_t TextBegin = 0;
    std::size_t TextEnd = 0;
    bool Owned = false;
    std::string OwnedText;
};

// What settles a plain token's kind and tag once it is read: whether a word is a keyword, and
// what a word that is none is (an identifier, or an error where identifiers are not allowed).
struct TPlainRules {
    const TKeywordTable& Keywords;
    const TTokenTagCache& Tags;
    TTokenKind WordKind;
};

class TTokenReader {
public:
    // The bytes of a std::string, so that the 0 byte after the last one may be read: the fast
    // loops stop at it without a separate test for the end.
    TTokenReader(const TReaderSettings& settings, const std::string& bytes,
                 const TReaderCounters& counters);

    TTokenKind NextToken();
    // NextToken for the tokens most texts are made of: a word, a decimal number or a special
    // character that begins and ends at plain bytes, read into batch, at most count of them (no
    // more than its capacity), their kinds and tags settled by rules. Blanks and line breaks
    // between them are skipped. It stops before a token that needs NextToken, which reads it
    // from there, and after the first token that begins at or past pauseOffset.
    void NextPlainTokens(const TPlainRules& rules, TPlainBatch& batch, std::size_t count,
                         std::size_t pauseOffset);

    const TReadToken& Token() const { return Token_; }
    std::string_view Text() const {
        return Token_.Owned ? std::string_view(Token_.OwnedText)
                            : Bytes_.substr(Token_.TextBegin, Token_.TextEnd - Token_.TextBegin);
    }
    TReaderCounters Counters() const;

private:
    // Cursor
    bool AtEnd() const { return Pos_ >= Bytes_.size(); }
    unsigned char ByteAt(std::size_t at) const { return static_cast<unsigned char>(Bytes_[at]); }
    // Also reads the 0 byte at Bytes_.size().
    unsigned char TerminatedAt(std::size_t at) const { return Terminated_[at]; }
    bool Has(unsigned char byte, std::uint16_t flag) const { return (Flags_[byte] & flag) != 0; }
    unsigned char PeekChar() const;
    int ReadChar();
    void AppendChar();
    void SkipChars(std::size_t count);
    bool NextMatches(std::string_view marker) const;
    bool DigitAfterSeparator() const;
    void TakeRun(std::uint16_t runFlag) {
        std::size_t end = Pos_;
        while (end < Bytes_.size() && Has(ByteAt(end), runFlag)) {
            ++end;
        }
        if (end == Pos_) {
            return;
        }
        if (!Token_.Owned && Token_.TextEnd == Pos_) {
            Token_.TextEnd = end;
        } else {
            AppendSpan(Pos_, end);
        }
        Pos_ = end;
    }
    // AppendChar for the first byte of a token, cheap when the byte is plain.
    void AppendFirst() {
        if (!AtEnd() && Has(ByteAt(Pos_), Plain)) {
            ++Pos_;
            Token_.TextEnd = Pos_;
            return;
        }
        AppendChar();
    }
    void SkipBlanks() { Pos_ = BlanksEnd(Pos_); }
    std::size_t BlanksEnd(std::size_t from) const;
    void SkipLineBreak();
    // Every byte read moves the column on by one and a line break sets it back to 1, so the
    // column follows from the position and where the line began; the fast loops need not count.
    std::int64_t Column() const { return static_cast<std::int64_t>(Pos_) + ColumnBias_; }
    void StartLine() { ColumnBias_ = 1 - static_cast<std::int64_t>(Pos_); }

    // Current token
    void RecordStart();
    void ClearText();
    void AppendRead(unsigned char character, std::size_t from);
    void AppendSpan(std::size_t from, std::size_t to);
    void MakeOwned();
    void TrimSpaces(bool raiseColumn);
    TTokenKind EndOfFileToken();

    // States
    TTokenKind StartState();
    TTokenKind OtherStart(unsigned char c);
    TTokenKind IdentifierState();
    TTokenKind IntegerState();
    TTokenKind FractionState();
    TTokenKind AfterZeroState();
    TTokenKind AfterDollarState();
    TTokenKind HexDigitsState();
    TTokenKind StringState(unsigned char quote, std::uint16_t runFlag);
    TTokenKind LineCommentState();
    TTokenKind BlockCommentState();

    const TReaderSettings& Settings_;
    const std::uint16_t* Flags_;
    const TStartAction* StartActions_;
    bool SpacesAreBlanks_;
    std::string_view Bytes_;
    const unsigned char* Terminated_; // Bytes_ and the 0 byte after them
    std::size_t Pos_;
    std::int64_t Line_;
    std::int64_t ColumnBias_; // the column minus the position
    bool EndOfInput_;
    bool OpenBlockComment_;
    TReadToken Token_;
};

// Runs of spaces are counted eight bytes at a time, so the end of an indentation costs no
// mispredicted loop exit; a tab after them goes on byte by byte.
inline std::size_t TTokenReader::BlanksEnd(std::size_t from) const {
    std::size_t end = from;
    if constexpr (std::endian::native == std::endian::little) {
        if (SpacesAreBlanks_) {
            constexpr std::uint64_t kSpaces = 0x2020202020202020ULL;
            while (end + 8 <= Bytes_.size()) {
                std::uint64_t word = 0;
                std::memcpy(&word, Bytes_.data() + end, 8);
                const std::uint64_t others = word ^ kSpaces;
                if (others != 0) {
                    end += static_cast<std::size_t>(std::countr_zero(others) / 8);
                    break;
                }
                end += 8;
            }
        }
    }
    while (Has(TerminatedAt(end), BlankRun)) {
        ++end;
    }
    return end;
}

} // namespace dialoscope
