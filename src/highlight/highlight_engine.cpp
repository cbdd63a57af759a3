#include "highlight/highlight_engine.h"

#include "detail/token_colour_rules.h"

#include <algorithm>
#include <exception>

namespace dialoscope {

THighlightEngine::THighlightEngine() : LineStates_(kLineStateCount, TLineState::Plain) {
    Parser_.SetKeepComments(true);
}

bool THighlightEngine::TracksComments() const {
    return LongTokens_ && HighLighter_ == THighLighter::hlPascal;
}

bool THighlightEngine::ReadsTokens() const {
    const bool hasRules =
        HighLighter_ == THighLighter::hlPascal || HighLighter_ == THighLighter::hlIni;
    return hasRules || OnReservedWord_ != nullptr;
}

void THighlightEngine::RescanLineStates(std::string_view text) {
    std::fill(LineStates_.begin(), LineStates_.end(), TLineState::Plain);
    if (!TracksComments()) {
        return;
    }
    TLineState state = TLineState::Plain;
    std::size_t lineStart = 0;
    // The last line's end state would belong to a line that does not exist.
    for (std::size_t next = 1; next < kLineStateCount; ++next) {
        const std::size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            return;
        }
        state = PascalLineEndState(text.substr(lineStart, lineEnd - lineStart), state);
        LineStates_[next] = state;
        lineStart = lineEnd + 1;
    }
}

TLineState THighlightEngine::LineState(std::size_t lineIndex) const {
    return lineIndex < LineStates_.size() ? LineStates_[lineIndex] : TLineState::Plain;
}

TLineState THighlightEngine::LineEndState(std::string_view line, TLineState startState) const {
    return TracksComments() ? PascalLineEndState(line, startState) : TLineState::Plain;
}

void THighlightEngine::ColourLine(std::size_t lineIndex, std::string_view line) {
    ColourLine(line, LongTokens_ ? LineState(lineIndex) : TLineState::Plain);
}

void THighlightEngine::ColourLine(std::string_view line, TLineState startState) {
    ColouredLength_ = std::min(line.size(), kCharAttrCount);
    const auto lineEnd = CharAttrs_.begin() + static_cast<std::ptrdiff_t>(ColouredLength_);
    std::fill(lineEnd, CharAttrs_.end(), TColorEntry::EditorDefault);

    std::size_t startOffset = 0;
    TColorEntry initial = TColorEntry::PlainText;
    if (startState != TLineState::Plain) {
        startOffset = OpenCommentEnd(line, startState);
        initial = TColorEntry::Comment;
    }
    std::fill(CharAttrs_.begin(), lineEnd, initial);
    if (startOffset == std::string_view::npos || !ReadsTokens()) {
        return;
    }
    ColourTokens(line, startOffset);
}

void THighlightEngine::ColourTokens(std::string_view line, std::size_t startOffset) {
    Parser_.SetSource(line, startOffset);
    try {
        for (;;) {
            const std::string_view token = Parser_.ReadToken();
            if (token.empty()) {
                return;
            }
            const std::size_t end = Parser_.TokenEnd(0);
            Paint(Parser_.TokenBegin(0), end, EntryForToken(token));
            if (end > kCharAttrCount) {
                return;
            }
        }
    } catch (const std::exception&) {
        // A failure ends this line's colouring only; what is painted stays.
    }
}

TColorEntry THighlightEngine::EntryForToken(std::string_view token) const {
    if (!OnReservedWord_) {
        return PascalColorEntry(token, TReservedWordCheck::Check);
    }
    bool reserved = false;
    OnReservedWord_(*this, token, reserved);
    return reserved ? TColorEntry::Reserved : PascalColorEntry(token, TReservedWordCheck::Skip);
}

void THighlightEngine::Paint(std::size_t begin, std::size_t end, TColorEntry entry) {
    end = std::min(end, kCharAttrCount);
    for (std::size_t position = begin; position < end; ++position) {
        CharAttrs_[position] = entry;
    }
}

void THighlightEngine::CharAttrRuns(std::vector<TColourRun>& runs) const {
    runs.clear();
    std::size_t start = 0;
    while (start < ColouredLength_) {
        const TColorEntry entry = CharAttrs_[start];
        std::size_t end = start + 1;
        while (end < ColouredLength_ && CharAttrs_[end] == entry) {
            ++end;
        }
        runs.push_back(TColourRun{start, end - start, entry});
        start = end;
    }
}

} // namespace dialoscope
