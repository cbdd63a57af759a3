#pragma once
// The token list that the generated baseline scanners (flex and re2c) fill: every token kept, 24
// bytes each, its text a slice of the script's bytes. The peers share it, and the listing walk
// that reads it, so that what differs between them and the project's scanner is the scanner
// alone. Nothing here comes from the project's own code: the peers stand beside it.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace dialoscope::bench {

// The kinds in the order the listing numbers them.
enum class TPeerKind : std::uint8_t {
    Comment,
    EndOfFile,
    Error,
    HexNumber,
    Identifier,
    Integer,
    Keyword,
    Real,
    SpecialChar,
    String,
};

struct TPeerToken {
    std::uint32_t TextBegin;  // the text is the bytes [TextBegin, TextBegin + TextLength)
    std::uint32_t TextLength; // "$" and a CR LF pair keeps the pair: the listing breaks it alike
    std::int32_t Offset;      // of the token's first byte
    std::int32_t Line;        // from 1
    std::int32_t Column;      // from 1, one per byte
    TPeerKind Kind;
};
static_assert(sizeof(TPeerToken) == 24, "a peer keeps 24 bytes per token");

// Whether a token's text is kept from its first byte or, for a block comment's line, raised past
// the blanks trimmed off its start.
enum class TCommentColumn : bool { AtText, PastTrimmedBlanks };

// The tokens of one script, in text order, ending with one end-of-file token. Reads past either
// end give the end-of-file token, so a walk that looks ahead at fixed distances stays inside.
class TPeerTokenList {
public:
    // bytes must outlive the list.
    explicit TPeerTokenList(std::string_view bytes) : Bytes_(bytes) {
        // A script holds about one token per four bytes; the pages are taken only as they fill.
        Tokens_.reserve(bytes.size() / 3 + 16);
    }

    std::string_view Bytes() const { return Bytes_; }
    std::int64_t Count() const { return static_cast<std::int64_t>(Tokens_.size()); }
    // The position of the end-of-file token.
    std::int64_t Last() const { return Count() - 1; }
    bool AtEnd(std::int64_t j) const { return j < 0 || j >= Last(); }

    const TPeerToken& At(std::int64_t j) const { return Tokens_[static_cast<std::size_t>(j)]; }
    std::string_view Text(std::int64_t j) const {
        if (AtEnd(j)) {
            return {};
        }
        const TPeerToken& token = At(j);
        return Bytes_.substr(token.TextBegin, token.TextLength);
    }
    TPeerKind Kind(std::int64_t j) const { return AtEnd(j) ? TPeerKind::EndOfFile : At(j).Kind; }

    // ---- Filling, in text order --------------------------------------------------------------

    // Empties the list for a new scan of the same bytes; the memory stays.
    void Clear() {
        Tokens_.clear();
        Line_ = 1;
        LineStart_ = 0;
    }

    // A line break ends just before offset next: the next line starts there.
    void BreakLineBefore(std::size_t next) {
        ++Line_;
        LineStart_ = next;
    }

    void Add(TPeerKind kind, std::size_t start, std::size_t textBegin, std::size_t textEnd) {
        Tokens_.push_back({static_cast<std::uint32_t>(textBegin),
                           static_cast<std::uint32_t>(textEnd - textBegin),
                           static_cast<std::int32_t>(start), Line_,
                           static_cast<std::int32_t>(start - LineStart_ + 1), kind});
    }

    // A comment's text loses its leading and trailing blanks (code 32 only).
    void AddComment(std::size_t start, std::size_t textBegin, std::size_t textEnd,
                    TCommentColumn column) {
        const std::size_t untrimmed = textBegin;
        while (textBegin < textEnd && Bytes_[textBegin] == ' ') {
            ++textBegin;
        }
        while (textEnd > textBegin && Bytes_[textEnd - 1] == ' ') {
            --textEnd;
        }
        Add(TPeerKind::Comment, start, textBegin, textEnd);
        if (column == TCommentColumn::PastTrimmedBlanks) {
            Tokens_.back().Column += static_cast<std::int32_t>(textBegin - untrimmed);
        }
    }

    void AddEndOfFile() { Add(TPeerKind::EndOfFile, Bytes_.size(), Bytes_.size(), Bytes_.size()); }

private:
    std::string_view Bytes_;
    std::vector<TPeerToken> Tokens_;
    std::int32_t Line_ = 1;
    std::size_t LineStart_ = 0;
};

} // namespace dialoscope::bench
