#pragma once
// TIParser: the output pane's own small tokenizer, unrelated to the script scanner. It reads one
// displayed line at a time under Pascal rules and remembers where its recent tokens lay, so the
// colouring can paint each token's characters.
//
// Under Pascal rules ReadToken skips spaces, carriage returns and line feeds (a tab is a token of
// its own) and returns, by the first character:
//   "//" up to the next carriage return; "{" through "}"; "(*" through "*)"    (comments)
//   a letter or "_", then letters, digits and "_"                            (identifier)
//   a digit, then digits and "." ("1.2.3" is one token)                      (number)
//   "$" and the hex digits after it, when at least one follows               (hex number)
//   an apostrophe through the next one that is not doubled, or to the end    (string)
//   any other single character; the empty string at the end of the text.
// An unterminated "{" or "(*", or a "}" or "*)" outside a comment, is EIParserError code 1 at its
// offset; with KeepComments the comment runs to the end of the text instead and no error is
// raised. Without KeepComments comments are skipped and never returned.

#include "highlight/iparser_error.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

class TIParser {
public:
    static constexpr int kDefaultHistorySize = 10;

    TIParser();

    // The text must outlive the tokens read from it. Reading starts at startOffset (clamped to
    // the text) and the history is emptied, so no token of an earlier text can be asked for.
    void SetSource(std::string_view text, std::size_t startOffset = 0);
    std::string_view Source() const { return Source_; }

    // The next token, entered into the history. A string token has each doubled apostrophe
    // inside it reduced to one. The view lives until the token's history slot is reused or the
    // history is resized.
    std::string_view ReadToken();

    // For the token read `back` tokens ago (0: the last one): the offset of its first character
    // and the offset just after its last one. A string's first character is its opening
    // apostrophe even when its returned text is shorter. `back` is taken modulo the ring.
    std::size_t TokenBegin(int back) const;
    std::size_t TokenEnd(int back) const;
    std::string_view TokenText(int back) const;

    // Grows the ring by empty slots or drops its first slots; at least one slot is kept.
    void SetHistorySize(int size);
    int HistorySize() const { return static_cast<int>(History_.size()); }
    int HistoryIndex() const { return HistoryIndex_; }

    std::size_t CurrentOffset() const { return Cursor_; }

    void SetKeepComments(bool keep) { KeepComments_ = keep; }

private:
    struct THistoryEntry {
        std::size_t Begin = 0;
        std::size_t End = 0;
        // A string whose doubled apostrophes were reduced keeps its own text; any other token is
        // the slice Begin..End of the source.
        bool IsReduced = false;
        std::string Reduced;
    };

    bool AtEnd() const { return Cursor_ >= Source_.size(); }
    char CharAt(std::size_t offset) const {
        return offset < Source_.size() ? Source_[offset] : '\0';
    }
    void SkipBlanks();
    // The end of the comment (or stray comment closer) at the cursor, or npos when none starts
    // there.
    std::size_t CommentEndAtCursor() const;
    std::size_t UnbalancedComment(std::size_t position) const;
    struct TStringExtent {
        std::size_t End = 0;
        bool IsClosed = false;
        bool HasDoubledApostrophes = false;
    };
    TStringExtent StringExtent() const;
    std::string_view ReadString();
    std::size_t ConsumeWhile(bool (*belongs)(char)) const;

    std::string_view Enter(std::size_t begin, std::size_t end);
    const THistoryEntry& EntryBack(int back) const;
    std::string_view TextOf(const THistoryEntry& entry) const;

    std::string_view Source_;
    std::size_t Cursor_ = 0;
    std::vector<THistoryEntry> History_;
    int HistoryIndex_ = 0;
    bool KeepComments_ = false;
};

} // namespace dialoscope
