#pragma once
// TTokenReader: reads one token at a time from a byte range into the current-token fields, the
// state machine behind TScanner. Each state has a fast loop over run bytes (see char_classes.h)
// and falls back to the character-by-character rules for everything else, so both give the
// same tokens, texts and positions.

#include "char_classes.h"
#include "token.h"

#include <cstddef>
#include <cstdint>
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

// What the scanner keeps between reads: the position of the next unread byte and the flags.
// Line and Column are wider than a token's fields only so that counting past the last byte of
// the largest accepted stream cannot overflow.
struct TReaderCounters {
    std::size_t Position = 0;
    std::int64_t Line = 1;
    std::int64_t Column = 1;
    bool EndOfInput = false;
    bool OpenBlockComment = false;
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

class TTokenReader {
public:
    TTokenReader(const TReaderSettings& settings, std::string_view bytes,
                 const TReaderCounters& counters);

    TTokenKind NextToken();

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
    void SkipBlanks();
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
    std::size_t Pos_;
    std::int64_t Line_;
    std::int64_t ColumnBias_; // the column minus the position
    bool EndOfInput_;
    bool OpenBlockComment_;
    TReadToken Token_;
};

} // namespace dialoscope
