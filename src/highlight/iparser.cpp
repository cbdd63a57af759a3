#include "highlight/iparser.h"

#include <algorithm>
#include <limits>

namespace dialoscope {

namespace {

constexpr auto npos = std::string_view::npos;

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
bool IsIdentifierStart(char c) {
    return IsLetter(c) || c == '_';
}
bool IsIdentifierChar(char c) {
    return IsIdentifierStart(c) || IsDigit(c);
}
bool IsNumberChar(char c) {
    return IsDigit(c) || c == '.';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\r' || c == '\n';
}

std::int32_t ClampedPosition(std::size_t offset) {
    return static_cast<std::int32_t>(
        std::min<std::size_t>(offset, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

TIParser::TIParser() : History_(kDefaultHistorySize) {}

void TIParser::SetSource(std::string_view text, std::size_t startOffset) {
    Source_ = text;
    Cursor_ = std::min(startOffset, text.size());
    for (THistoryEntry& entry : History_) {
        entry.Begin = 0;
        entry.End = 0;
        entry.IsReduced = false;
    }
    HistoryIndex_ = 0;
}

std::string_view TIParser::ReadToken() {
    for (;;) {
        SkipBlanks();
        const std::size_t commentEnd = CommentEndAtCursor();
        if (commentEnd == npos) {
            break;
        }
        if (KeepComments_) {
            const std::size_t begin = Cursor_;
            Cursor_ = commentEnd;
            return Enter(begin, commentEnd);
        }
        Cursor_ = commentEnd;
    }

    const std::size_t begin = Cursor_;
    if (AtEnd()) {
        return Enter(begin, begin);
    }
    const char first = Source_[Cursor_];
    if (IsIdentifierStart(first)) {
        Cursor_ = ConsumeWhile(IsIdentifierChar);
    } else if (IsDigit(first)) {
        Cursor_ = ConsumeWhile(IsNumberChar);
    } else if (first == '$' && IsHexDigit(CharAt(Cursor_ + 1))) {
        ++Cursor_;
        Cursor_ = ConsumeWhile(IsHexDigit);
    } else if (first == '\'') {
        return ReadString();
    } else {
        ++Cursor_;
    }
    return Enter(begin, Cursor_);
}

void TIParser::SkipBlanks() {
    while (!AtEnd() && IsBlank(Source_[Cursor_])) {
        ++Cursor_;
    }
}

std::size_t TIParser::CommentEndAtCursor() const {
    const char first = CharAt(Cursor_);
    const char second = CharAt(Cursor_ + 1);
    if (first == '/' && second == '/') {
        const std::size_t lineEnd = Source_.find('\r', Cursor_ + 2);
        return lineEnd == npos ? Source_.size() : lineEnd;
    }
    if (first == '{') {
        const std::size_t close = Source_.find('}', Cursor_ + 1);
        return close == npos ? UnbalancedComment(Cursor_) : close + 1;
    }
    if (first == '(' && second == '*') {
        const std::size_t close = Source_.find("*)", Cursor_ + 2);
        return close == npos ? UnbalancedComment(Cursor_) : close + 2;
    }
    if (first == '}' || (first == '*' && second == ')')) {
        return UnbalancedComment(Cursor_);
    }
    return npos;
}

std::size_t TIParser::UnbalancedComment(std::size_t position) const {
    if (!KeepComments_) {
        throw EIParserError(EIParserError::kUnbalancedComment, ClampedPosition(position));
    }
    return Source_.size();
}

std::size_t TIParser::ConsumeWhile(bool (*belongs)(char)) const {
    std::size_t offset = Cursor_;
    while (offset < Source_.size() && belongs(Source_[offset])) {
        ++offset;
    }
    return offset;
}

TIParser::TStringExtent TIParser::StringExtent() const {
    TStringExtent extent;
    std::size_t offset = Cursor_ + 1;
    for (;;) {
        const std::size_t apostrophe = Source_.find('\'', offset);
        if (apostrophe == npos) {
            extent.End = Source_.size();
            return extent;
        }
        if (CharAt(apostrophe + 1) != '\'') {
            extent.End = apostrophe + 1;
            extent.IsClosed = true;
            return extent;
        }
        extent.HasDoubledApostrophes = true;
        offset = apostrophe + 2;
    }
}

std::string_view TIParser::ReadString() {
    const std::size_t begin = Cursor_;
    const TStringExtent extent = StringExtent();
    Cursor_ = extent.End;
    if (!extent.HasDoubledApostrophes) {
        return Enter(begin, extent.End);
    }
    THistoryEntry& entry = History_[static_cast<std::size_t>(HistoryIndex_)];
    entry.Reduced.clear();
    entry.Reduced.push_back('\'');
    // Between the quotes every apostrophe is the first of a doubled pair.
    const std::size_t contentEnd = extent.IsClosed ? extent.End - 1 : extent.End;
    for (std::size_t offset = begin + 1; offset < contentEnd; ++offset) {
        entry.Reduced.push_back(Source_[offset]);
        if (Source_[offset] == '\'') {
            ++offset;
        }
    }
    if (extent.IsClosed) {
        entry.Reduced.push_back('\'');
    }
    Enter(begin, extent.End);
    entry.IsReduced = true;
    return entry.Reduced;
}

std::string_view TIParser::Enter(std::size_t begin, std::size_t end) {
    THistoryEntry& entry = History_[static_cast<std::size_t>(HistoryIndex_)];
    entry.Begin = begin;
    entry.End = end;
    entry.IsReduced = false;
    HistoryIndex_ = (HistoryIndex_ + 1) % HistorySize();
    return Source_.substr(begin, end - begin);
}

const TIParser::THistoryEntry& TIParser::EntryBack(int back) const {
    const long long size = HistorySize();
    const long long slot =
        ((HistoryIndex_ - static_cast<long long>(back) - 1) % size + size) % size;
    return History_[static_cast<std::size_t>(slot)];
}

std::string_view TIParser::TextOf(const THistoryEntry& entry) const {
    if (entry.IsReduced) {
        return entry.Reduced;
    }
    return Source_.substr(std::min(entry.Begin, Source_.size()), entry.End - entry.Begin);
}

std::size_t TIParser::TokenBegin(int back) const {
    return EntryBack(back).Begin;
}
std::size_t TIParser::TokenEnd(int back) const {
    return EntryBack(back).End;
}
std::string_view TIParser::TokenText(int back) const {
    return TextOf(EntryBack(back));
}

void TIParser::SetHistorySize(int size) {
    const auto wanted = static_cast<std::size_t>(std::max(size, 1));
    if (wanted < History_.size()) {
        History_.erase(History_.begin(),
                       History_.begin() + static_cast<std::ptrdiff_t>(History_.size() - wanted));
    } else {
        History_.resize(wanted);
    }
    HistoryIndex_ = 0;
}

} // namespace dialoscope
