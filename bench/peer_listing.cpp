#include "peer_listing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace dialoscope::bench {

namespace {

// ---- Where sections and nodes end ----------------------------------------------------------

// "function" and "." end a node by their text alone, whatever the token's kind.
bool IsFunctionOrDot(const TPeerTokenList& t, std::int64_t j) {
    const std::string_view text = t.Text(j);
    return text == "function" || text == ".";
}

// Where a caption stops running on: the next node, the final "." or the end of the script.
bool IsNodeEnd(const TPeerTokenList& t, std::int64_t j) {
    return t.AtEnd(j) || IsFunctionOrDot(t, j);
}

std::int64_t ClampToEnd(const TPeerTokenList& t, std::int64_t p) {
    return std::min(p, std::max<std::int64_t>(t.Last(), 0));
}

// script NAME x MSGFILE x x: six tokens.
std::int64_t SkipScriptHeader(const TPeerTokenList& t, std::int64_t p) {
    return ClampToEnd(t, p + 5);
}

// Names and separators alternate up to the ";".
std::int64_t SkipUsesSection(const TPeerTokenList& t, std::int64_t p) {
    while (!t.AtEnd(p + 1)) {
        p += 2;
        if (t.AtEnd(p) || t.Text(p) == ";") {
            break;
        }
    }
    return ClampToEnd(t, p);
}

// Names and separators alternate up to the token before the next keyword.
std::int64_t SkipVarSection(const TPeerTokenList& t, std::int64_t p) {
    while (!t.AtEnd(p + 1)) {
        p += 2;
        if (t.Kind(p + 1) == TPeerKind::Keyword) {
            break;
        }
    }
    return ClampToEnd(t, p);
}

// Five tokens a declaration, as long as the fourth of the next five is "forward".
std::int64_t SkipForwardSection(const TPeerTokenList& t, std::int64_t p) {
    do {
        p += 5;
    } while (t.Text(p + 3) == "forward");
    return ClampToEnd(t, p - 1);
}

enum class TCaptionEnd : bool { Marker, NodeEnd };

// An answer's message expression "+ item + item ..." runs on to the "@" of its target. A GetStr
// item is stepped over whole; any other item runs token by token to the next "+" or the "@".
TCaptionEnd SkipAnswerConcatenation(const TPeerTokenList& t, std::int64_t& k) {
    for (;;) {
        if (t.Text(k + 1) == "GetStr") {
            k += t.Text(k + 6) == "@" ? 5 : 8;
        } else {
            ++k;
            do {
                ++k;
            } while (!(t.Text(k + 1) == "@" || IsNodeEnd(t, k + 1)) && t.Text(k) != "+");
        }
        if (t.Text(k + 1) == "@") {
            return TCaptionEnd::Marker;
        }
        if (IsNodeEnd(t, k + 1)) {
            return TCaptionEnd::NodeEnd;
        }
    }
}

// Answer(code, message, @Target) or Answer(-code, GetStr(message) + ..., @Target).
TCaptionEnd SkipAnswer(const TPeerTokenList& t, std::int64_t& k) {
    const std::int64_t m = t.Text(k + 2) == "-" ? 1 : 0;
    if (t.Text(k + 4 + m) != "GetStr") {
        return TCaptionEnd::Marker;
    }
    k += 8 + m;
    return t.Text(k) == "+" ? SkipAnswerConcatenation(t, k) : TCaptionEnd::Marker;
}

// A node ends before the next "function" or the final "."; of the node's walks, the one over its
// answers is the one whose end the pass goes on from.
std::int64_t SkipNode(const TPeerTokenList& t, std::int64_t k) {
    for (;;) {
        if (t.AtEnd(k)) {
            return std::max<std::int64_t>(t.Last(), 0);
        }
        if (t.Text(k) == "Answer" && SkipAnswer(t, k) == TCaptionEnd::NodeEnd) {
            return k;
        }
        ++k;
        if (IsFunctionOrDot(t, k + 1)) {
            return k;
        }
    }
}

// Only these exact texts open a section or a node; each test sees the position the one before
// it left.
std::int64_t SkipOpenedByKeyword(const TPeerTokenList& t, std::int64_t p) {
    const std::string_view text = t.Text(p);
    if (text == "script") {
        p = SkipScriptHeader(t, p);
    }
    if (text == "uses") {
        p = SkipUsesSection(t, p);
    }
    if (text == "Var") {
        p = SkipVarSection(t, p);
    }
    if (text == "function" && t.Text(p + 3) == "forward") {
        p = SkipForwardSection(t, p);
    }
    if (text == "function" && (t.Text(p + 3) == "begin" || t.Text(p + 3) == "Var")) {
        p = SkipNode(t, p);
    }
    return ClampToEnd(t, p);
}

// ---- Listing lines ---------------------------------------------------------------------------

// Almost no text holds one: one quick pass spares the byte-by-byte copy.
bool HoldsBreakOrTab(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= '\r' && (c == '\r' || c == '\n' || c == '\t')) {
            return true;
        }
    }
    return false;
}

constexpr std::array<std::string_view, 10> KindWords = {
    "comment     ", "end of file ", "error       ", "hex number  ", "identifier  ",
    "integer     ", "keyword     ", "real        ", "special char", "string      ",
};

// Collects the listing in large blocks, so a line costs no call into the C library.
class TListingWriter {
public:
    explicit TListingWriter(std::FILE* out) : Out_(out) { Buffer_.reserve(Block + 4096); }
    TListingWriter(const TListingWriter&) = delete;
    TListingWriter& operator=(const TListingWriter&) = delete;
    ~TListingWriter() { Flush(); }

    void WriteLine(const TPeerToken& token, std::string_view text) {
        AppendPadded(token.Column);
        Buffer_ += ' ';
        AppendPadded(token.Line);
        Buffer_ += ' ';
        Buffer_ += KindWords[static_cast<std::size_t>(token.Kind)];
        Buffer_ += ' ';
        AppendText(text);
        Buffer_ += "\r\n";
        if (Buffer_.size() >= Block) {
            Flush();
        }
    }

private:
    static constexpr std::size_t Block = 1 << 16;

    // Right-aligned in 5 characters; a longer number is written in full.
    void AppendPadded(std::int32_t value) {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        const auto length = static_cast<std::size_t>(end - digits);
        if (length < 5) {
            Buffer_.append(5 - length, ' ');
        }
        Buffer_.append(digits, length);
    }

    // The output pane holds whole lines: a line break in a text (the error token "$" at a line
    // end) starts a new line, and a tab shows as two blanks.
    void AppendText(std::string_view text) {
        if (!HoldsBreakOrTab(text)) {
            Buffer_ += text;
            return;
        }
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '\t') {
                Buffer_ += "  ";
            } else if (c == '\r' || c == '\n') {
                Buffer_ += "\r\n";
                i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 1 : 0;
            } else {
                Buffer_ += c;
            }
        }
    }

    void Flush() {
        std::fwrite(Buffer_.data(), 1, Buffer_.size(), Out_);
        Buffer_.clear();
    }

    std::FILE* Out_;
    std::string Buffer_;
};

} // namespace

void WritePeerListing(const TPeerTokenList& tokens, std::FILE* out) {
    TListingWriter writer(out);
    for (std::int64_t p = 0; p < tokens.Last(); ++p) {
        const TPeerToken& token = tokens.At(p);
        const std::string_view text = tokens.Text(p);
        if (token.Kind == TPeerKind::Keyword) {
            p = SkipOpenedByKeyword(tokens, p);
        }
        writer.WriteLine(token, text);
    }
}

} // namespace dialoscope::bench
