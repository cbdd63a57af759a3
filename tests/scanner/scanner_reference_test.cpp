// The scanner against the plain reference reading of the token rules, on random texts made of
// the pieces where the rules meet (line breaks, 0 bytes, lead bytes, markers, separators) under
// random configurations. Any difference in kind, text or position is a fault of a fast loop.

#include "reference_scanner.h"
#include "scan_helpers.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>

namespace dialoscope::test {
namespace {

const std::vector<std::string> kPieces = {
    "a",  "Zx",   "_",    "begin", "BeGiN", "say",  "1",    "0",
    "9",  "0x",   "$",    "F",     "e",     ".",    ",",    "'",
    "\"", " ",    "  ",   "\t",    "\r",    "\n",   "\r\n", std::string(1, '\0'),
    "//", "<!--", "-->",  "{",     "}",     "#",    "@",    "-",
    "<",  "!",    "\x81", "\xE0",  "\x40",  "\xFF", "REM",  "rem",
    "(*", "*)",   "*"};

struct TConfigChoice {
    std::string Additional, Special, Line, Begin, End;
};

const std::vector<TConfigChoice> kConfigs = {
    {"_", "!()*+,-./:;<=>@[]^", "//", "<!--", "-->"},
    {"", "", "//", "{", "}"},
    {"_1$'", "$,.;", "rem", "(*", "*)"},
    {" \x81", "!\x81", "", "<!--", ""},
    {std::string("\0\r", 2), "$\n", "#", "*", "*"},
};

std::string RandomText(std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> length(0, 24);
    std::uniform_int_distribution<std::size_t> piece(0, kPieces.size() - 1);
    std::string text;
    for (std::size_t n = length(random); n > 0; --n) {
        text += kPieces[piece(random)];
    }
    return text;
}

void Configure(TScanner& scanner, TReferenceConfig& reference, std::mt19937& random) {
    const TConfigChoice& choice = kConfigs[random() % kConfigs.size()];
    scanner.SetAdditionalChars(choice.Additional);
    scanner.SetSpecialChars(choice.Special);
    scanner.SetCommentLine(choice.Line);
    scanner.SetCommentBegin(choice.Begin);
    scanner.SetCommentEnd(choice.End);
    scanner.SetAllowFigures(random() % 2 == 0);
    scanner.SetAllowIdentifier(random() % 4 != 0);
    scanner.SetKeywordsCaseSensitive(random() % 3 == 0);
    scanner.SetKeywords({"say", "Begin", "a", "REM", "zx", "BEGIN"});
    const bool doubleByte = random() % 2 == 0;
    scanner.SetCodePage(doubleByte ? TCodePage::WithLeadRanges({{0x81, 0x9F}, {0xE0, 0xFC}})
                                   : TCodePage());

    reference = TReferenceConfig{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        reference.Identifier[byte] = std::isalpha(static_cast<int>(byte)) != 0 && byte < 128;
        reference.Lead[byte] =
            doubleByte && ((byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0) && byte <= 0xFC;
    }
    for (const char c : choice.Additional) {
        reference.Identifier[static_cast<unsigned char>(c)] = true;
    }
    for (const char c : choice.Special) {
        reference.Special[static_cast<unsigned char>(c)] = true;
    }
    reference.AllowFigures = scanner.AllowFigures();
    reference.AllowIdentifier = scanner.AllowIdentifier();
    reference.CaseSensitive = scanner.KeywordsCaseSensitive();
    reference.CommentLine = choice.Line;
    reference.CommentBegin = choice.Begin;
    reference.CommentEnd = choice.End;
    reference.Keywords = scanner.Keywords();
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte < 127) {
            out += c;
        } else {
            out += "\\x" + std::string(1, "0123456789ABCDEF"[byte >> 4]) +
                   std::string(1, "0123456789ABCDEF"[byte & 15]);
        }
    }
    return out;
}

void ExpectSameTokens(const TScanner& scanner, const std::vector<TReferenceToken>& expected) {
    ASSERT_EQ(scanner.TokenCount(), static_cast<std::int32_t>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("token " + std::to_string(i));
        const TTokenView token = *scanner.TokenAt(static_cast<std::int32_t>(i));
        EXPECT_EQ(token.Kind, expected[i].Kind);
        EXPECT_EQ(Escaped(std::string(token.Text)), Escaped(expected[i].Text));
        EXPECT_EQ(token.Offset, expected[i].Offset);
        EXPECT_EQ(token.Line, expected[i].Line);
        EXPECT_EQ(token.Column, expected[i].Column);
        EXPECT_EQ(scanner.KindAt(static_cast<std::int32_t>(i)), token.Kind);
        EXPECT_EQ(scanner.TextAt(static_cast<std::int32_t>(i)), token.Text);
    }
}

TEST(ScannerReference, RandomTextsGiveTheReferenceTokens) {
    std::mt19937 random(20240611);
    TScanner scanner;
    TReferenceConfig config;
    for (int round = 0; round < 8000; ++round) {
        if (round % 50 == 0) {
            Configure(scanner, config, random);
        }
        TMemoryStream stream;
        stream.Bytes = RandomText(random);
        SCOPED_TRACE("text \"" + Escaped(stream.Bytes) + "\"");
        scanner.ScanStream(stream);
        ExpectSameTokens(scanner, TReferenceScanner(config, stream.Bytes).ScanAll());
        if (::testing::Test::HasFailure()) {
            return;
        }
    }
}

// Stopping after every k-th token and resuming must give the list of one uninterrupted scan.
TEST(ScannerReference, StoppedAndResumedScansGiveTheWholeList) {
    std::mt19937 random(7);
    TScanner scanner;
    TReferenceConfig config;
    for (int round = 0; round < 3000; ++round) {
        if (round % 50 == 0) {
            Configure(scanner, config, random);
        }
        TMemoryStream stream;
        stream.Bytes = RandomText(random) + RandomText(random);
        SCOPED_TRACE("text \"" + Escaped(stream.Bytes) + "\"");
        const int every = 1 + static_cast<int>(random() % 3);
        int seen = 0;
        scanner.SetOnTokenRead(
            [&](TScanner&, TToken&, bool&, bool& stop) { stop = ++seen % every == 0; });
        scanner.ScanStream(stream);
        while (scanner.KindAt(scanner.TokenCount() - 1) != TTokenKind::EndOfFile) {
            scanner.ScanTokens();
        }
        scanner.SetOnTokenRead(nullptr);
        ExpectSameTokens(scanner, TReferenceScanner(config, stream.Bytes).ScanAll());
        if (::testing::Test::HasFailure()) {
            return;
        }
    }
}

} // namespace
} // namespace dialoscope::test
