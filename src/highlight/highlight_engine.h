#pragma once
// THighlightEngine: the colouring half of TRAHLEditor, the output pane. The pane is the window's
// text widget; this is everything it needs to colour a line, without the widget: the mode
// (HighLighter), the scheme (Colors), whether comments span lines (LongTokens), the
// OnReservedWord hook, the per-line comment states (LineStates) and the colours of the line
// being painted (CharAttrs).
//
// Painting a line needs only that line's text and its start state, so lines can be coloured in
// any order. There are two ways to get start states:
//  - RescanLineStates(text) walks the whole text and keeps the start state of the first 65537
//    lines (later lines start outside any comment); ColourLine(lineIndex, text) uses them;
//  - LineEndState(line, startState) gives one line's end state, the next line's start state, so
//    a window that keeps a state per line (a text block's user state) never rescans the whole
//    text and has no line limit; ColourLine(text, startState) colours with it.
// Both give the same states for the first 65537 lines.
//
// Only the first 1024 characters of a line carry colours; colouring stops at the first token
// that reaches past them. Colouring allocates nothing once the parser's history has grown.

#include "highlight/colors.h"
#include "highlight/highlighter_mode.h"
#include "highlight/iparser.h"
#include "highlight/line_state.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace dialoscope {

// Characters Start to Start + Length - 1 (0-based) of a line, painted with one scheme entry.
struct TColourRun {
    std::size_t Start = 0;
    std::size_t Length = 0;
    TColorEntry Entry = TColorEntry::PlainText;

    friend bool operator==(const TColourRun&, const TColourRun&) = default;
};

class THighlightEngine {
public:
    static constexpr std::size_t kCharAttrCount = 1024;
    static constexpr std::size_t kLineStateCount = 65537;

    using TCharAttrs = std::array<TColorEntry, kCharAttrCount>;
    // Asked for every token of a line; setting Reserved paints the token with Colors.Reserved.
    // While a handler is set the built-in word list is not consulted. An exception thrown by
    // the handler ends the colouring of that line only.
    using TOnReservedWord =
        std::function<void(const THighlightEngine& Sender, std::string_view Token, bool& Reserved)>;

    THighlightEngine();

    // The owner rescans the line states and repaints after a change.
    void SetHighLighter(THighLighter mode) { HighLighter_ = mode; }

    TColors& Colors() { return Colors_; }
    const TColors& Colors() const { return Colors_; }

    // False: every line starts outside any comment.
    bool LongTokens() const { return LongTokens_; }
    void SetLongTokens(bool longTokens) { LongTokens_ = longTokens; }

    void SetOnReservedWord(TOnReservedWord handler) { OnReservedWord_ = std::move(handler); }

    // Lines are separated by line feeds. Keeps states only in hlPascal with LongTokens; else
    // every line's state becomes Plain.
    void RescanLineStates(std::string_view text);
    // The start state stored by the last rescan; Plain past the table.
    TLineState LineState(std::size_t lineIndex) const;
    // Consistent with RescanLineStates: Plain unless comments are tracked in this mode.
    TLineState LineEndState(std::string_view line, TLineState startState) const;

    // Fills CharAttrs for one line. The first overload takes the start state from LineStates
    // (Plain when LongTokens is false).
    void ColourLine(std::size_t lineIndex, std::string_view line);
    void ColourLine(std::string_view line, TLineState startState);

    // Entries past ColouredLength() are EditorDefault.
    const TCharAttrs& CharAttrs() const { return CharAttrs_; }
    // The line's length, at most 1024.
    std::size_t ColouredLength() const { return ColouredLength_; }
    // CharAttrs up to ColouredLength() as runs of one entry, replacing the content of `runs`.
    void CharAttrRuns(std::vector<TColourRun>& runs) const;

private:
    bool TracksComments() const;
    bool ReadsTokens() const;
    void Paint(std::size_t begin, std::size_t end, TColorEntry entry);
    void ColourTokens(std::string_view line, std::size_t startOffset);
    TColorEntry EntryForToken(std::string_view token) const;

    THighLighter HighLighter_ = THighLighter::hlPascal;
    TColors Colors_;
    bool LongTokens_ = true;
    TOnReservedWord OnReservedWord_;
    std::vector<TLineState> LineStates_;
    TIParser Parser_;
    TCharAttrs CharAttrs_{};
    std::size_t ColouredLength_ = 0;
};

} // namespace dialoscope
