// The output pane's colouring on arbitrary text, under a mode, LongTokens and an OnReservedWord
// handler drawn from the input, and the colouring tokenizer on its own. fuzz_highlight colours
// every line from the state the line before left and checks what must never happen;
// fuzz_highlight_differential also compares the line states a rescan of the whole text stores
// with those chained line by line, and every line's colours by index with those by start state.
// (A rescan and a fresh engine each fill the 65,537 stored line states: more than the colouring
// of a short text costs.)

#include "fuzz_support.h"

#include "highlight/highlight_engine.h"
#include "highlight/iparser.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace dialoscope::fuzz {
namespace {

enum class THandler : std::uint8_t { None, MarksLetters, Throws };

std::vector<std::string_view> SplitAtLineFeeds(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// Past the line, the fast target looks at the first position only; the differential one at all.
void CheckCharAttrs(const THighlightEngine& engine, std::string_view line) {
    const std::size_t length = engine.ColouredLength();
    FUZZ_EXPECT(length == std::min(line.size(), THighlightEngine::kCharAttrCount),
                "a line is coloured up to its length or 1024", line);
    const auto& attrs = engine.CharAttrs();
    const std::size_t checked = IsDifferential ? attrs.size() : std::min(length + 1, attrs.size());
    for (std::size_t i = 0; i < checked; ++i) {
        const bool past = attrs[i] == TColorEntry::EditorDefault;
        FUZZ_EXPECT(past == (i >= length),
                    "positions past the line, and only they, are the default", line);
    }
    static std::vector<TColourRun> runs; // reused: a line costs no allocation
    engine.CharAttrRuns(runs);
    std::size_t covered = 0;
    for (const TColourRun& run : runs) {
        FUZZ_EXPECT(run.Start == covered && run.Length > 0, "runs cover the line in order", line);
        covered += run.Length;
    }
    FUZZ_EXPECT(covered == length, "runs cover the whole coloured length", line);
}

// options: the mode in the low four bits (taken modulo 10), LongTokens off when bit 4 is set,
// the handler in bits 5 and 6. (Bit 7 chooses the tokenizer's KeepComments in the fast target.)
void Configure(THighlightEngine& engine, std::uint8_t options) {
    engine.SetHighLighter(static_cast<THighLighter>((options & 15U) % 10U));
    engine.SetLongTokens((options & 16U) == 0);
    const auto handler = static_cast<THandler>((options >> 5U) % 3U);
    switch (handler) {
    case THandler::None:
        engine.SetOnReservedWord({});
        break;
    case THandler::MarksLetters:
        engine.SetOnReservedWord(
            [](const THighlightEngine&, std::string_view token, bool& reserved) {
                reserved = !token.empty() && token[0] >= 'a' && token[0] <= 'z';
            });
        break;
    case THandler::Throws:
        engine.SetOnReservedWord([](const THighlightEngine&, std::string_view token, bool&) {
            if (token.size() > 3) {
                throw std::runtime_error("handler failure");
            }
        });
        break;
    }
}

// The differential part for line i: the rescan stored its start state, and colouring by index
// gives the colours the line got from its start state.
void CompareByIndex(THighlightEngine& engine, std::size_t i, std::string_view line,
                    TLineState state, std::vector<TColorEntry>& byState) {
    if (i >= THighlightEngine::kLineStateCount) {
        return; // no state is stored for it: by index it starts plain
    }
    FUZZ_EXPECT(engine.LineState(i) == state, "a rescan stores each line's chained start state",
                "line " + std::to_string(i));
    byState.assign(engine.CharAttrs().begin(), engine.CharAttrs().end());
    engine.ColourLine(i, line);
    CheckCharAttrs(engine, line);
    FUZZ_EXPECT(std::equal(byState.begin(), byState.end(), engine.CharAttrs().begin()),
                "colouring by index and by start state agree", line);
}

// One engine for the whole run: a fresh one would fill its stored line states for every input.
void CheckEngine(std::uint8_t options, std::string_view text) {
    static THighlightEngine engine;
    Configure(engine, options);
    if (IsDifferential) {
        engine.RescanLineStates(text);
    }
    const std::vector<std::string_view> lines = SplitAtLineFeeds(text);
    TLineState state = TLineState::Plain;
    std::vector<TColorEntry> byState;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool opensComment = lines[i].find('{') != std::string_view::npos ||
                                  lines[i].find("(*") != std::string_view::npos;
        const TLineState endState = engine.LineEndState(lines[i], state);
        FUZZ_EXPECT(endState == TLineState::Plain || state != TLineState::Plain || opensComment,
                    "only a comment opener leaves a line inside a comment", lines[i]);
        // What the stored state would be: without LongTokens every line starts plain.
        const TLineState start = engine.LongTokens() ? state : TLineState::Plain;
        engine.ColourLine(lines[i], start);
        CheckCharAttrs(engine, lines[i]);
        if (IsDifferential) {
            CompareByIndex(engine, i, lines[i], state, byState);
        }
        state = endState;
    }
}

// ReadToken ends, every token lies inside the text after the one before, and the history gives
// back what was read.
void CheckParser(std::string_view text, bool keepComments) {
    TIParser parser;
    parser.SetKeepComments(keepComments);
    parser.SetSource(text);
    std::size_t previousEnd = 0;
    for (std::size_t count = 0;; ++count) {
        FUZZ_EXPECT(count <= text.size() + 1, "ReadToken reaches the end of the text", "");
        std::string_view token; // valid until its history slot is reused: for this turn
        try {
            token = parser.ReadToken();
        } catch (const EIParserError& error) {
            FUZZ_EXPECT(!keepComments && error.ErrorCode == EIParserError::kUnbalancedComment &&
                            error.ErrorPosition >= 0 &&
                            static_cast<std::size_t>(error.ErrorPosition) <= text.size(),
                        "only an unbalanced comment fails, and only without KeepComments", "");
            return;
        }
        if (token.empty()) {
            return;
        }
        const std::size_t begin = parser.TokenBegin(0);
        const std::size_t end = parser.TokenEnd(0);
        FUZZ_EXPECT(begin >= previousEnd && begin < end && end <= text.size(),
                    "a token lies inside the text, after the one before", token);
        FUZZ_EXPECT(parser.TokenText(0) == token, "the history holds the token read", token);
        FUZZ_EXPECT(parser.CurrentOffset() >= end, "the cursor is past the token read", token);
        previousEnd = end;
    }
}

} // namespace
} // namespace dialoscope::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::uint8_t options = input.ConsumeIntegral<std::uint8_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();
    dialoscope::fuzz::CheckEngine(options, text);
    // The fast target reads each line with comments kept or not, as options say; the
    // differential one both ways.
    const bool keepComments = (options & 128U) != 0;
    for (const std::string_view line : dialoscope::fuzz::SplitAtLineFeeds(text)) {
        dialoscope::fuzz::CheckParser(line, keepComments);
        if (dialoscope::fuzz::IsDifferential) {
            dialoscope::fuzz::CheckParser(line, !keepComments);
        }
    }
    return 0;
}
