#include "token_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace dialoscope {

TTokenReader::TTokenReader(const TReaderSettings& settings, const std::string& bytes,
                           const TReaderCounters& counters)
    : Settings_(settings), Flags_(settings.Classes->Flags()),
      StartActions_(settings.Classes->StartActions()),
      SpacesAreBlanks_(settings.Classes->Has(' ', BlankRun)), Bytes_(bytes),
      Terminated_(reinterpret_cast<const unsigned char*>(bytes.c_str())),
      Pos_(counters.Position < bytes.size() ? counters.Position : bytes.size()),
      Line_(counters.Line), ColumnBias_(counters.Column - static_cast<std::int64_t>(Pos_)),
      EndOfInput_(counters.EndOfInput), OpenBlockComment_(counters.OpenBlockComment) {}

TReaderCounters TTokenReader::Counters() const {
    return {{Pos_, Column(), EndOfInput_, OpenBlockComment_}, Line_};
}

// ---- Cursor ----------------------------------------------------------------------------------

// The end of the input and a 0 byte both look like a line break, so every open token ends there.
unsigned char TTokenReader::PeekChar() const {
    if (AtEnd() || ByteAt(Pos_) == 0) {
        return '\n';
    }
    return ByteAt(Pos_);
}

// Returns -1, counting nothing, when no byte is left.
int TTokenReader::ReadChar() {
    if (AtEnd()) {
        EndOfInput_ = true;
        return -1;
    }
    unsigned char c = ByteAt(Pos_++);
    if (c == '\r') {
        // A CR LF pair reads as one line feed. What follows the CR is judged as peeked, so a
        // 0 byte pairs with it too and the end of the input leaves nothing to pair.
        if (PeekChar() == '\n') {
            if (!AtEnd()) {
                ++Pos_;
            }
            c = '\n';
        }
        ++Line_;
        StartLine();
    } else if (c == '\n') {
        ++Line_;
        StartLine();
    }
    return c;
}

// A lead byte takes the byte after it along, so a two-byte character is never split.
void TTokenReader::AppendChar() {
    std::size_t from = Pos_;
    int c = ReadChar();
    if (c < 0) {
        return;
    }
    AppendRead(static_cast<unsigned char>(c), from);
    if (!Has(static_cast<unsigned char>(c), LeadByte) || AtEnd()) {
        return;
    }
    from = Pos_;
    c = ReadChar();
    AppendRead(static_cast<unsigned char>(c), from);
}

void TTokenReader::SkipChars(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        ReadChar();
    }
}

// Compares the next bytes with a comment marker under the case rule. Too few bytes left, or a 0
// byte among them (which cuts the peeked text short), never match.
bool TTokenReader::NextMatches(std::string_view marker) const {
    if (Bytes_.size() - Pos_ < marker.size()) {
        return false;
    }
    for (std::size_t i = 0; i < marker.size(); ++i) {
        const unsigned char have = ByteAt(Pos_ + i);
        const auto want = static_cast<unsigned char>(marker[i]);
        if (have == 0) {
            return false;
        }
        if (Settings_.CaseSensitive ? have != want : AsciiUpper(have) != AsciiUpper(want)) {
            return false;
        }
    }
    return true;
}

// A number goes on over "." or "," only when a digit follows the separator.
bool TTokenReader::DigitAfterSeparator() const {
    return Pos_ + 1 < Bytes_.size() && IsDecimalDigit(ByteAt(Pos_ + 1));
}

// ReadChar for the common line feed and CR LF, without the checks a rare byte needs.
void TTokenReader::SkipLineBreak() {
    const std::size_t left = Bytes_.size() - Pos_;
    if (left >= 2 && ByteAt(Pos_) == '\r' && ByteAt(Pos_ + 1) == '\n') {
        Pos_ += 2;
    } else if (left >= 1 && ByteAt(Pos_) == '\n') {
        ++Pos_;
    } else {
        ReadChar();
        return;
    }
    ++Line_;
    StartLine();
}

// ---- Current token ---------------------------------------------------------------------------

// Nothing has been appended when a token's start is recorded, so its text starts here too.
void TTokenReader::RecordStart() {
    Token_.Offset = static_cast<std::uint32_t>(Pos_);
    Token_.Line = static_cast<std::int32_t>(Line_);
    Token_.Column = static_cast<std::int32_t>(Column());
    Token_.TextBegin = Pos_;
    Token_.TextEnd = Pos_;
}

void TTokenReader::ClearText() {
    if (Token_.Owned) {
        Token_.Owned = false;
        Token_.OwnedText.clear();
    }
    Token_.TextBegin = Pos_;
    Token_.TextEnd = Pos_;
}

void TTokenReader::AppendRead(unsigned char character, std::size_t from) {
    if (!Token_.Owned && Pos_ == from + 1 && ByteAt(from) == character) {
        AppendSpan(from, Pos_);
        return;
    }
    MakeOwned();
    Token_.OwnedText.push_back(static_cast<char>(character));
}

void TTokenReader::AppendSpan(std::size_t from, std::size_t to) {
    if (!Token_.Owned) {
        if (Token_.TextEnd == from) {
            Token_.TextEnd = to;
            return;
        }
        if (Token_.TextBegin == Token_.TextEnd) {
            Token_.TextBegin = from;
            Token_.TextEnd = to;
            return;
        }
        MakeOwned();
    }
    Token_.OwnedText.append(Bytes_.substr(from, to - from));
}

void TTokenReader::MakeOwned() {
    if (Token_.Owned) {
        return;
    }
    Token_.OwnedText.assign(Bytes_.substr(Token_.TextBegin, Token_.TextEnd - Token_.TextBegin));
    Token_.Owned = true;
}

// Comments lose leading and trailing blanks (code 32 only; tabs stay).
void TTokenReader::TrimSpaces(bool raiseColumn) {
    std::size_t leading = 0;
    if (Token_.Owned) {
        std::string& text = Token_.OwnedText;
        while (leading < text.size() && text[leading] == ' ') {
            ++leading;
        }
        text.erase(0, leading);
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
    } else {
        while (Token_.TextBegin < Token_.TextEnd && ByteAt(Token_.TextBegin) == ' ') {
            ++Token_.TextBegin;
            ++leading;
        }
        while (Token_.TextEnd > Token_.TextBegin && ByteAt(Token_.TextEnd - 1) == ' ') {
            --Token_.TextEnd;
        }
    }
    if (raiseColumn) {
        Token_.Column += static_cast<std::int32_t>(leading);
    }
}

// The end-of-file token stands where the input ends.
TTokenKind TTokenReader::EndOfFileToken() {
    RecordStart();
    ClearText();
    return TTokenKind::EndOfFile;
}

// ---- Plain tokens ----------------------------------------------------------------------------

namespace {

// The bytes and their flags as the plain read sees them, apart from the reader, so that its
// loop keeps them in registers while it writes tokens out.
struct TPlainBytes {
    const unsigned char* Bytes; // the 0 byte after the last one included
    const std::uint16_t* Flags;

    bool Has(std::size_t at, std::uint16_t flag) const { return (Flags[Bytes[at]] & flag) != 0; }
    std::size_t RunEnd(std::size_t at, std::uint16_t flag) const {
        while (Has(at, flag)) {
            ++at;
        }
        return at;
    }
};

// Where a word from at ends when its run ends at a byte that cannot continue it, so that
// IdentifierState would take exactly the run; 0 when it would not.
std::size_t PlainWordEnd(TPlainBytes in, std::size_t at) {
    if (!in.Has(at, Plain)) {
        return 0;
    }
    const std::size_t end = in.RunEnd(at + 1, IdentifierRun);
    return in.Has(end, WordEnd) ? end : 0;
}

// Where digits, and a separator with digits after it, all plain, end; 0 when a digit that is
// not plain (a lead byte) or a digit right after them leaves the number to IntegerState.
std::size_t PlainNumberEnd(TPlainBytes in, std::size_t at, TTokenKind& kind) {
    if (!in.Has(at, Plain)) {
        return 0;
    }
    std::size_t end = in.RunEnd(at + 1, DigitRun);
    kind = TTokenKind::Integer;
    const unsigned char next = in.Bytes[end];
    if ((next == '.' || next == ',') && IsDecimalDigit(in.Bytes[end + 1])) {
        if (!in.Has(end, Plain)) {
            return 0;
        }
        end = in.RunEnd(end + 1, DigitRun);
        kind = TTokenKind::Real;
    }
    return IsDecimalDigit(in.Bytes[end]) ? 0 : end;
}

} // namespace

void TTokenReader::NextPlainTokens(const TPlainRules& rules, TPlainBatch& batch, std::size_t count,
                                   std::size_t pauseOffset) {
    batch.Count = 0;
    batch.LineCount = 0;
    if (OpenBlockComment_ || EndOfInput_) {
        return;
    }
    const TPlainBytes in{Terminated_, Flags_};
    const TStartAction* const actions = StartActions_;
    TTokenRecord* const records = batch.Records;
    const bool tagging = rules.Tags.Tags();
    std::size_t pos = Pos_;
    std::int64_t line = Line_;
    std::int64_t bias = ColumnBias_;
    std::size_t read = 0;
    std::size_t lines = 0;
    bool newLine = true; // the batch's first token starts a line run, as does one after a break
    count = std::min(count, TPlainBatch::Capacity);
    while (read < count) {
        // Most tokens follow one blank or none, which costs no branch here; a longer run of
        // blanks comes round as a Blank start.
        pos += in.Has(pos, BlankRun) ? 1 : 0;
        const unsigned char c = in.Bytes[pos];
        TTokenKind kind = TTokenKind::SpecialChar;
        std::size_t end = 0;
        switch (actions[c]) {
        case TStartAction::Identifier:
            kind = TTokenKind::Identifier;
            end = PlainWordEnd(in, pos);
            break;
        case TStartAction::Digit:
            end = PlainNumberEnd(in, pos, kind);
            break;
        case TStartAction::Special:
            end = pos + 1;
            break;
        case TStartAction::LineBreak:
            // A lone CR and the 0 byte at the end take the line-counting read.
            if (c == '\n' || (c == '\r' && in.Bytes[pos + 1] == '\n')) {
                pos += c == '\n' ? 1 : 2;
                ++line;
                bias = 1 - static_cast<std::int64_t>(pos);
                newLine = true;
                continue;
            }
            break;
        case TStartAction::Blank:
            // A lead byte is no run byte: StartState reads it.
            if (in.Has(pos, BlankRun)) {
                pos = BlanksEnd(pos);
                continue;
            }
            break;
        default:
            break;
        }
        // A text too long for a record is left to NextToken, which keeps it on the side.
        if (end == 0 || end - pos > TTokenRecord::MaxPackedLength) {
            break;
        }
        if (newLine) {
            batch.Lines[lines++] = {static_cast<std::int32_t>(read),
                                    static_cast<std::int32_t>(line),
                                    static_cast<std::uint32_t>(bias)};
            newLine = false;
        }
        const std::string_view text(Bytes_.data() + pos, end - pos);
        TKeywordMatch keyword;
        if (kind == TTokenKind::Identifier) {
            keyword = rules.Keywords.Find(text);
            kind = keyword.Found() ? TTokenKind::Keyword : rules.WordKind;
        }
        if (tagging) {
            batch.Tags[read] = rules.Tags.Tag(kind, text, keyword);
        }
        records[read++] = {static_cast<std::uint32_t>(pos), TTokenRecord::Pack(kind, 0, end - pos)};
        const bool paused = pos >= pauseOffset;
        pos = end;
        if (paused) {
            break;
        }
    }
    Pos_ = pos;
    Line_ = line;
    ColumnBias_ = bias;
    batch.Count = read;
    batch.LineCount = lines;
}

// ---- States ----------------------------------------------------------------------------------

TTokenKind TTokenReader::NextToken() {
    if (OpenBlockComment_) {
        RecordStart();
        ClearText();
        return EndOfInput_ ? EndOfFileToken() : BlockCommentState();
    }
    ClearText();
    return StartState();
}

TTokenKind TTokenReader::StartState() {
    for (;;) {
        SkipBlanks();
        if (AtEnd()) {
            // The line feed peeked at the end is whitespace; consuming it ends the input. (Were
            // a line feed an identifier character, taking it here would never end.)
            EndOfInput_ = true;
        }
        if (EndOfInput_) {
            return EndOfFileToken();
        }
        const unsigned char c = PeekChar();
        const TStartAction action = StartActions_[c];
        switch (action) {
        case TStartAction::Identifier:
            RecordStart();
            AppendFirst();
            return IdentifierState();
        case TStartAction::DoubleQuote:
            RecordStart();
            ReadChar();
            return StringState('"', DoubleQuoteRun);
        case TStartAction::Dollar:
            RecordStart();
            AppendFirst();
            return AfterDollarState();
        case TStartAction::SingleQuote:
            RecordStart();
            ReadChar();
            return StringState('\'', SingleQuoteRun);
        case TStartAction::Zero:
            RecordStart();
            AppendFirst();
            return AfterZeroState();
        case TStartAction::Digit:
            RecordStart();
            AppendFirst();
            return IntegerState();
        case TStartAction::Special:
        case TStartAction::Error:
            RecordStart();
            AppendFirst();
            return action == TStartAction::Special ? TTokenKind::SpecialChar : TTokenKind::Error;
        case TStartAction::LineBreak:
            SkipLineBreak();
            continue;
        case TStartAction::Blank:
            ReadChar();
            continue;
        case TStartAction::Other:
            return OtherStart(c);
        }
    }
}

// Comment markers are tried before the special characters, so a marker may begin with one.
TTokenKind TTokenReader::OtherStart(unsigned char c) {
    if (Has(c, MarkerStart)) {
        if (!Settings_.CommentLine.empty() && NextMatches(Settings_.CommentLine)) {
            SkipChars(Settings_.CommentLine.size());
            RecordStart();
            ClearText();
            return LineCommentState();
        }
        if (!Settings_.CommentBegin.empty() && NextMatches(Settings_.CommentBegin)) {
            SkipChars(Settings_.CommentBegin.size());
            RecordStart();
            ClearText();
            return BlockCommentState();
        }
    }
    RecordStart();
    AppendFirst();
    return Has(c, SpecialMember) ? TTokenKind::SpecialChar : TTokenKind::Error;
}

TTokenKind TTokenReader::IdentifierState() {
    for (;;) {
        TakeRun(IdentifierRun);
        // The line feed peeked at the end of the input never continues a word.
        if (AtEnd() || Has(ByteAt(Pos_), Plain) || !Has(PeekChar(), IdentifierContinue)) {
            return TTokenKind::Identifier;
        }
        AppendChar();
    }
}

TTokenKind TTokenReader::IntegerState() {
    for (;;) {
        TakeRun(DigitRun);
        const unsigned char c = PeekChar();
        if (IsDecimalDigit(c)) {
            AppendChar();
            continue;
        }
        if ((c == '.' || c == ',') && DigitAfterSeparator()) {
            AppendChar();
            return FractionState();
        }
        return TTokenKind::Integer;
    }
}

TTokenKind TTokenReader::FractionState() {
    for (;;) {
        TakeRun(DigitRun);
        if (!IsDecimalDigit(PeekChar())) {
            return TTokenKind::Real;
        }
        AppendChar();
    }
}

// "0." is a real even without digits after it; "0," is one only before a digit, so that
// "0, 1" lists two numbers, as "5, 1" does.
TTokenKind TTokenReader::AfterZeroState() {
    const unsigned char c = PeekChar();
    if (c == '.' || (c == ',' && DigitAfterSeparator())) {
        AppendChar();
        return FractionState();
    }
    if (IsDecimalDigit(c)) {
        AppendChar();
        return IntegerState();
    }
    if (c == 'x' || c == 'X') {
        AppendChar();
        ClearText();
        return HexDigitsState();
    }
    return TTokenKind::Integer;
}

// With "$" special, "$" followed by hex digits would back up and rescan the digits as tokens of
// their own; ending the token right after the "$" yields the same tokens and positions.
TTokenKind TTokenReader::AfterDollarState() {
    if (Settings_.DollarIsSpecial) {
        return TTokenKind::SpecialChar;
    }
    if (IsHexDigit(PeekChar())) {
        ClearText();
        AppendChar();
        return HexDigitsState();
    }
    AppendChar();
    return TTokenKind::Error;
}

TTokenKind TTokenReader::HexDigitsState() {
    for (;;) {
        TakeRun(HexRun);
        if (!IsHexDigit(PeekChar())) {
            return TTokenKind::HexNumber;
        }
        AppendChar();
    }
}

// No escapes: a doubled quote closes this string and opens the next.
TTokenKind TTokenReader::StringState(unsigned char quote, std::uint16_t runFlag) {
    for (;;) {
        TakeRun(runFlag);
        const unsigned char c = PeekChar();
        if (c == '\n' || c == '\r') {
            return TTokenKind::Error;
        }
        if (c == quote) {
            ReadChar();
            return TTokenKind::String;
        }
        AppendChar();
    }
}

TTokenKind TTokenReader::LineCommentState() {
    for (;;) {
        TakeRun(LineCommentRun);
        const unsigned char c = PeekChar();
        if (c == '\n' || c == '\r') {
            ReadChar();
            TrimSpaces(false);
            return TTokenKind::Comment;
        }
        AppendChar();
    }
}

// One token per line: the flag stays set at a line break, so the next token goes on with the
// same comment.
TTokenKind TTokenReader::BlockCommentState() {
    OpenBlockComment_ = true;
    for (;;) {
        TakeRun(BlockCommentRun);
        const unsigned char c = PeekChar();
        if (c == '\n' || c == '\r') {
            ReadChar();
            TrimSpaces(true);
            return TTokenKind::Comment;
        }
        if (!Settings_.CommentEnd.empty() && NextMatches(Settings_.CommentEnd)) {
            SkipChars(Settings_.CommentEnd.size());
            OpenBlockComment_ = false;
            TrimSpaces(true);
            return TTokenKind::Comment;
        }
        AppendChar();
    }
}

} // namespace dialoscope
