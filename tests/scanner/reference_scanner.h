#pragma once
// A deliberately plain reading of the token rules, one character at a time with a growing text,
// and the keyword test as a linear walk. The scanner's fast loops must give exactly its tokens.

#include "scanner/token.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dialoscope::test {

struct TReferenceConfig {
    std::array<bool, 256> Identifier{};
    std::array<bool, 256> Special{};
    std::array<bool, 256> Lead{};
    bool AllowFigures = true;
    bool AllowIdentifier = true;
    bool CaseSensitive = false;
    std::string CommentLine, CommentBegin, CommentEnd;
    std::vector<std::string> Keywords; // in the scanner's stored order
};

struct TReferenceToken {
    TTokenKind Kind;
    std::string Text;
    std::int64_t Offset, Line, Column;
};

class TReferenceScanner {
public:
    TReferenceScanner(const TReferenceConfig& config, std::string bytes)
        : C(config), Bytes(std::move(bytes)) {}

    std::vector<TReferenceToken> ScanAll() {
        std::vector<TReferenceToken> tokens;
        for (;;) {
            const TTokenKind read = NextToken();
            TTokenKind kind = read;
            if (kind == TTokenKind::Identifier && IsKeyword(Text)) {
                kind = TTokenKind::Keyword;
            }
            if (kind == TTokenKind::Identifier && !C.AllowIdentifier) {
                kind = TTokenKind::Error;
            }
            tokens.push_back({kind, Text, TokOffset, TokLine, TokColumn});
            if (read == TTokenKind::EndOfFile) {
                return tokens;
            }
        }
    }

private:
    enum class S { Start, Ident, Int, Frac, Zero, Dollar, Hex, Str, Line, Block };

    bool AtEnd() const { return Pos >= Bytes.size(); }
    unsigned char Byte(std::size_t at) const { return static_cast<unsigned char>(Bytes[at]); }
    unsigned char PeekChar() const { return AtEnd() || Byte(Pos) == 0 ? '\n' : Byte(Pos); }
    std::string PeekText(std::size_t count) const {
        if (Bytes.size() - Pos < count) {
            return "";
        }
        std::string text = Bytes.substr(Pos, count);
        return text.substr(0, text.find('\0'));
    }
    int ReadChar() {
        if (AtEnd()) {
            Eoi = true;
            return -1;
        }
        unsigned char c = Byte(Pos++);
        if (c == '\r' && PeekChar() == '\n') {
            if (!AtEnd()) {
                ++Pos;
            }
            c = '\n';
            ++Line;
            Column = 1;
        } else if (c == '\r' || c == '\n') {
            ++Line;
            Column = 1;
        } else {
            ++Column;
        }
        return c;
    }
    void AppendChar() {
        int c = ReadChar();
        if (c < 0) {
            return;
        }
        Text.push_back(static_cast<char>(c));
        if (!AtEnd() && C.Lead[static_cast<unsigned char>(c)]) {
            Text.push_back(static_cast<char>(ReadChar()));
        }
    }
    static unsigned char Upper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }
    bool MatchText(std::string a, std::string b) const {
        if (!C.CaseSensitive) {
            for (char& c : a) {
                c = static_cast<char>(Upper(static_cast<unsigned char>(c)));
            }
            for (char& c : b) {
                c = static_cast<char>(Upper(static_cast<unsigned char>(c)));
            }
        }
        return a == b;
    }
    bool IsKeyword(const std::string& text) const {
        for (const std::string& word : C.Keywords) {
            if (MatchText(text, word)) {
                return true;
            }
        }
        return false;
    }
    void RecordStart() {
        TokOffset = static_cast<std::int64_t>(Pos);
        TokLine = Line;
        TokColumn = Column;
    }
    bool MarkerHere(const std::string& marker) const {
        return !marker.empty() && MatchText(PeekText(marker.size()), marker);
    }
    void Trim(bool raiseColumn) {
        std::size_t lead = 0;
        while (lead < Text.size() && Text[lead] == ' ') {
            ++lead;
        }
        Text.erase(0, lead);
        while (!Text.empty() && Text.back() == ' ') {
            Text.pop_back();
        }
        if (raiseColumn) {
            TokColumn += static_cast<std::int64_t>(lead);
        }
    }
    static bool Digit(unsigned char c) { return c >= '0' && c <= '9'; }
    static bool HexDigit(unsigned char c) {
        return Digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    }
    TTokenKind EndOfFile() {
        RecordStart();
        Text.clear();
        return TTokenKind::EndOfFile;
    }

    TTokenKind NextToken() {
        S state = S::Start;
        if (Open) {
            RecordStart();
            state = S::Block;
        }
        Text.clear();
        if (Eoi) {
            return EndOfFile();
        }
        unsigned char quote = 0;
        bool dollarNumber = false;
        for (;;) {
            const unsigned char c = PeekChar();
            switch (state) {
            case S::Start:
                if (Eoi) {
                    return EndOfFile();
                }
                if (C.Identifier[c] && !AtEnd()) {
                    RecordStart();
                    AppendChar();
                    state = S::Ident;
                } else if (c == '"' || c == '\'') {
                    RecordStart();
                    ReadChar();
                    quote = c;
                    state = S::Str;
                } else if (c == '$') {
                    RecordStart();
                    AppendChar();
                    state = S::Dollar;
                } else if (c == '0') {
                    RecordStart();
                    AppendChar();
                    state = S::Zero;
                } else if (Digit(c)) {
                    RecordStart();
                    AppendChar();
                    state = S::Int;
                } else if (c == 9 || c == 10 || c == 13 || c == 32) {
                    ReadChar();
                } else if (MarkerHere(C.CommentLine)) {
                    for (std::size_t i = 0; i < C.CommentLine.size(); ++i) {
                        ReadChar();
                    }
                    RecordStart();
                    state = S::Line;
                } else if (MarkerHere(C.CommentBegin)) {
                    for (std::size_t i = 0; i < C.CommentBegin.size(); ++i) {
                        ReadChar();
                    }
                    RecordStart();
                    state = S::Block;
                } else {
                    RecordStart();
                    AppendChar();
                    return C.Special[c] ? TTokenKind::SpecialChar : TTokenKind::Error;
                }
                break;
            case S::Ident:
                if (!AtEnd() && (C.Identifier[c] || (C.AllowFigures && Digit(c)))) {
                    AppendChar();
                } else {
                    return TTokenKind::Identifier;
                }
                break;
            case S::Int:
                if (Digit(c)) {
                    AppendChar();
                } else if ((c == '.' || c == ',') && PeekText(2).size() == 2 &&
                           Digit(static_cast<unsigned char>(PeekText(2)[1]))) {
                    AppendChar();
                    state = S::Frac;
                } else {
                    return TTokenKind::Integer;
                }
                break;
            case S::Frac:
                if (!Digit(c)) {
                    return TTokenKind::Real;
                }
                AppendChar();
                break;
            case S::Zero:
                if (c == '.' || (c == ',' && PeekText(2).size() == 2 &&
                                 Digit(static_cast<unsigned char>(PeekText(2)[1])))) {
                    AppendChar();
                    state = S::Frac;
                } else if (Digit(c)) {
                    AppendChar();
                    state = S::Int;
                } else if (c == 'x' || c == 'X') {
                    AppendChar();
                    Text.clear();
                    state = S::Hex;
                } else {
                    return TTokenKind::Integer;
                }
                break;
            case S::Dollar:
                if (HexDigit(c)) {
                    Text.clear();
                    AppendChar();
                    dollarNumber = true;
                    state = S::Hex;
                } else if (C.Special['$']) {
                    return TTokenKind::SpecialChar;
                } else {
                    AppendChar();
                    return TTokenKind::Error;
                }
                break;
            case S::Hex:
                if (HexDigit(c)) {
                    AppendChar();
                } else if (dollarNumber && C.Special['$']) {
                    // Back up: the digits are scanned again as tokens of their own.
                    Pos = static_cast<std::size_t>(TokOffset) + 1;
                    Column -= static_cast<std::int64_t>(Text.size());
                    Text = "$";
                    return TTokenKind::SpecialChar;
                } else {
                    return TTokenKind::HexNumber;
                }
                break;
            case S::Str:
                if (c == 0 || c == '\n' || c == '\r') {
                    return TTokenKind::Error;
                }
                if (c == quote) {
                    ReadChar();
                    return TTokenKind::String;
                }
                AppendChar();
                break;
            case S::Line:
                if (c == '\n' || c == '\r') {
                    ReadChar();
                    Trim(false);
                    return TTokenKind::Comment;
                }
                AppendChar();
                break;
            case S::Block:
                Open = true;
                if (c == '\n' || c == '\r') {
                    ReadChar();
                    Trim(true);
                    return TTokenKind::Comment;
                }
                if (MarkerHere(C.CommentEnd)) {
                    for (std::size_t i = 0; i < C.CommentEnd.size(); ++i) {
                        ReadChar();
                    }
                    Open = false;
                    Trim(true);
                    return TTokenKind::Comment;
                }
                AppendChar();
                break;
            }
        }
    }

    const TReferenceConfig& C;
    std::string Bytes;
    std::size_t Pos = 0;
    std::int64_t Line = 1, Column = 1;
    bool Eoi = false, Open = false;
    std::string Text;
    std::int64_t TokOffset = 0, TokLine = 1, TokColumn = 1;
};

} // namespace dialoscope::test
