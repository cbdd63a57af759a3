// The scanner's properties, its keyword list, the token list and the token event.

#include "scan_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <numeric>
#include <random>

namespace dialoscope::test {
namespace {

using Strings = std::vector<std::string>;

TEST(ScannerProperties, Defaults) {
    const TScanner scanner;
    EXPECT_EQ(scanner.AdditionalChars(), "");
    EXPECT_TRUE(scanner.AllowFigures());
    EXPECT_TRUE(scanner.AllowIdentifier());
    EXPECT_EQ(scanner.CommentLine(), "//");
    EXPECT_EQ(scanner.CommentBegin(), "{");
    EXPECT_EQ(scanner.CommentEnd(), "}");
    EXPECT_TRUE(scanner.Keywords().empty());
    EXPECT_FALSE(scanner.KeywordsCaseSensitive());
    EXPECT_EQ(scanner.SpecialChars(), "");
    EXPECT_EQ(scanner.TokenCount(), 0);
}

TEST(ScannerProperties, CharacterSetsReadBackSortedWithoutLetters) {
    const std::vector<std::pair<std::string, std::string>> additional = {
        {"Z_1_", "1_"}, {"abc", ""}, {"\xFF\x01_", "\x01_\xFF"}};
    TScanner scanner;
    for (const auto& [written, read] : additional) {
        SCOPED_TRACE(written);
        scanner.SetAdditionalChars(written);
        EXPECT_EQ(scanner.AdditionalChars(), read);
    }
    // The letters stay identifier characters whatever is written.
    EXPECT_EQ(Scan(scanner, "Zz"), (Strings{"ident[Zz]", "eof[]"}));

    scanner.SetSpecialChars("^!(!a");
    EXPECT_EQ(scanner.SpecialChars(), "!(^a");
    scanner.SetSpecialChars("");
    EXPECT_EQ(scanner.SpecialChars(), "");
}

TEST(ScannerProperties, MarkersKeepAtMost255Bytes) {
    TScanner scanner;
    scanner.SetCommentLine(std::string(300, '#'));
    EXPECT_EQ(scanner.CommentLine(), std::string(255, '#'));
}

TEST(ScannerKeywords, SortedIgnoringCaseWithDuplicatesDropped) {
    const std::vector<std::pair<Strings, Strings>> cases = {
        {{"b", "A", "a", "C"}, {"A", "b", "C"}},
        {{"Begin", "BEGIN", "begin"}, {"Begin"}},
        {{"ab", "a_", "A"}, {"A", "a_", "ab"}},
        {{}, {}},
    };
    TScanner scanner;
    for (const auto& [written, read] : cases) {
        scanner.SetKeywords(written);
        EXPECT_EQ(scanner.Keywords(), read);
    }
}

// A word dropped as a case-insensitive duplicate is gone under the case-sensitive rule too.
TEST(ScannerKeywords, CaseSensitiveLookupUsesTheKeptSpelling) {
    TScanner scanner;
    scanner.SetKeywords({"Begin", "begin"});
    scanner.SetKeywordsCaseSensitive(true);
    EXPECT_TRUE(scanner.IsKeyword("Begin"));
    EXPECT_FALSE(scanner.IsKeyword("begin"));
    scanner.SetKeywordsCaseSensitive(false);
    EXPECT_TRUE(scanner.IsKeyword("bEGIN"));
    EXPECT_FALSE(scanner.IsKeyword("Begi"));
    EXPECT_FALSE(scanner.IsKeyword(""));
}

TEST(DialogScriptConfig, PropertyValues) {
    const TScanner scanner = DialogScanner();
    EXPECT_EQ(scanner.AdditionalChars(), "_");
    EXPECT_TRUE(scanner.AllowFigures());
    EXPECT_TRUE(scanner.AllowIdentifier());
    EXPECT_EQ(scanner.CommentLine(), "//");
    EXPECT_EQ(scanner.CommentBegin(), "<!--");
    EXPECT_EQ(scanner.CommentEnd(), "-->");
    EXPECT_FALSE(scanner.KeywordsCaseSensitive());
    EXPECT_EQ(scanner.SpecialChars(), "!()*+,-./:;<=>@[]^");
    // The words are given in stored order already, so storing them changes nothing.
    ASSERT_EQ(DialogScriptKeywords().size(), 143U);
    EXPECT_EQ(scanner.Keywords(), DialogScriptKeywords());
    for (const std::string& word : DialogScriptKeywords()) {
        EXPECT_TRUE(scanner.IsKeyword(word)) << word;
    }
}

TEST(ScannerList, TokenAtOutsideTheListIsNull) {
    TScanner scanner = DialogScanner();
    TMemoryStream stream;
    stream.Bytes = "a b";
    scanner.ScanStream(stream);
    ASSERT_EQ(scanner.TokenCount(), 3);
    EXPECT_FALSE(scanner.TokenAt(-1).has_value());
    EXPECT_FALSE(scanner.TokenAt(3).has_value());
    EXPECT_EQ(scanner.TokenAt(1)->Offset, 2);
    EXPECT_EQ(stream.Position, 3U);
    scanner.ClearTokens();
    EXPECT_EQ(scanner.TokenCount(), 0);
    EXPECT_FALSE(scanner.TokenAt(0).has_value());
}

TEST(ScannerList, ScanStreamStartsOverAndScanTokensAddsOneEndOfFile) {
    TScanner scanner = DialogScanner();
    TMemoryStream stream;
    stream.Bytes = "<!-- open\r\n";
    scanner.ScanStream(stream);
    stream.Bytes = "a\nb";
    scanner.ScanStream(stream);
    EXPECT_EQ(ListTokens(scanner, true), (Strings{"ident[a]@1:1", "ident[b]@2:1", "eof[]@2:2"}));
    scanner.ScanTokens();
    EXPECT_EQ(ListTokens(scanner), (Strings{"ident[a]", "ident[b]", "eof[]", "eof[]"}));
}

TEST(ScannerEvents, HandlerDropsComments) {
    TScanner scanner = DialogScanner();
    scanner.SetOnTokenRead([](TScanner&, TToken& token, bool& addToList, bool&) {
        addToList = token.Kind != TTokenKind::Comment;
    });
    EXPECT_EQ(Scan(scanner, "a // c\r\n<!-- d\r\ne -->b"),
              (Strings{"ident[a]", "ident[b]", "eof[]"}));
}

TEST(ScannerEvents, StopAtTheFirstKeywordAndResume) {
    TScanner scanner = DialogScanner();
    scanner.SetOnTokenRead([](TScanner&, TToken& token, bool&, bool& stop) {
        stop = token.Kind == TTokenKind::Keyword;
    });
    TMemoryStream stream;
    stream.Bytes = "x begin y";
    scanner.ScanStream(stream);
    EXPECT_EQ(ListTokens(scanner), (Strings{"ident[x]", "keyword[begin]"}));
    EXPECT_EQ(stream.Position, 7U);
    scanner.ScanTokens();
    EXPECT_EQ(ListTokens(scanner), (Strings{"ident[x]", "keyword[begin]", "ident[y]", "eof[]"}));
}

TEST(ScannerEvents, ResumingKeepsABlockCommentOpen) {
    TScanner scanner = DialogScanner();
    scanner.SetOnTokenRead([](TScanner&, TToken& token, bool&, bool& stop) {
        stop = token.Kind == TTokenKind::Comment;
    });
    TMemoryStream stream;
    stream.Bytes = "<!-- a\r\nb --> c";
    scanner.ScanStream(stream);
    scanner.ScanTokens();
    scanner.SetOnTokenRead(nullptr);
    scanner.ScanTokens();
    EXPECT_EQ(ListTokens(scanner, true),
              (Strings{"comment[a]@1:6", "comment[b]@2:1", "ident[c]@2:7", "eof[]@2:8"}));
}

// What the handler leaves in the working token is what the list keeps, and the scan still ends
// at the end of the input whatever kind the handler gave that token.
// Was one more empty comment on every call, so stopping after each token never reached the end.
TEST(ScannerEvents, ResumingAtTheEndOfAnOpenBlockCommentGivesTheEnd) {
    TScanner scanner = DialogScanner();
    scanner.SetOnTokenRead([](TScanner&, TToken&, bool&, bool& stop) { stop = true; });
    TMemoryStream stream;
    stream.Bytes = "<!-- a\n";
    scanner.ScanStream(stream);
    for (int call = 0; call < 3; ++call) {
        scanner.ScanTokens();
    }
    EXPECT_EQ(ListTokens(scanner), (Strings{"comment[a]", "comment[]", "eof[]", "eof[]"}));
}

TEST(ScannerEvents, HandlerChangesAreKept) {
    TScanner scanner = DialogScanner();
    scanner.SetOnTokenRead([](TScanner&, TToken& token, bool&, bool&) {
        if (token.Kind == TTokenKind::Identifier) {
            token.Text = "<" + token.Text + ">";
            token.Data = 7;
        }
        if (token.Kind == TTokenKind::Integer) {
            token.Offset += 100;
        }
        if (token.Kind == TTokenKind::EndOfFile) {
            token.Kind = TTokenKind::Error;
        }
    });
    TMemoryStream stream;
    stream.Bytes = "ab 12 cd";
    scanner.ScanStream(stream);
    EXPECT_EQ(ListTokens(scanner), (Strings{"ident[<ab>]", "int[12]", "ident[<cd>]", "error[]"}));
    EXPECT_EQ(scanner.TokenAt(0)->Data, 7);
    EXPECT_EQ(scanner.TokenAt(1)->Data, 0);
    EXPECT_EQ(scanner.TokenAt(1)->Offset, 103);
    EXPECT_EQ(scanner.TextAt(1), "12");
    EXPECT_EQ(scanner.TokenAt(2)->Data, 7);
}

// Lines and columns are kept per run of tokens, so a handler that moves tokens anywhere (a
// column far before its offset, the same line again after another, extreme values) must still
// read back exactly, whatever order the list is read in.
TEST(ScannerEvents, HandlerPlacesReadBackInEveryReadingOrder) {
    constexpr std::int32_t Count = 3000;
    std::string text;
    for (std::int32_t i = 0; i < Count; ++i) {
        text += (i % 7 == 0) ? "a\n" : "a ";
    }
    std::mt19937 random(11);
    std::vector<TToken> placed;
    TScanner scanner = DialogScanner();
    scanner.SetOnTokenRead([&](TScanner&, TToken& token, bool&, bool&) {
        switch (random() % 4) {
        case 0: // left as scanned
            break;
        case 1: // one line back, as after a line break
            token.Line = std::max(1, token.Line - 1);
            break;
        case 2:
            token.Column = static_cast<std::int32_t>(random() % 5);
            break;
        default:
            token.Offset = std::numeric_limits<std::int32_t>::max() - token.Offset;
            token.Line = std::numeric_limits<std::int32_t>::min() + token.Line;
            token.Column = -token.Column;
            break;
        }
        placed.push_back(token);
    });
    TMemoryStream stream;
    stream.Bytes = text;
    scanner.ScanStream(stream);
    ASSERT_EQ(scanner.TokenCount(), static_cast<std::int32_t>(placed.size()));

    std::vector<std::int32_t> order(placed.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<std::vector<std::int32_t>> orders = {order, {order.rbegin(), order.rend()}};
    std::shuffle(order.begin(), order.end(), random);
    orders.push_back(order);
    for (const auto& reading : orders) {
        for (const std::int32_t i : reading) {
            const TTokenView token = *scanner.TokenAt(i);
            const TToken& expected = placed[static_cast<std::size_t>(i)];
            ASSERT_EQ(token.Offset, expected.Offset) << i;
            ASSERT_EQ(token.Line, expected.Line) << i;
            ASSERT_EQ(token.Column, expected.Column) << i;
            ASSERT_EQ(scanner.LineAt(i), expected.Line) << i;
        }
    }
}

TEST(ScannerEvents, AScanStartedFromTheHandlerIsRefused) {
    TScanner scanner = DialogScanner();
    TMemoryStream stream;
    stream.Bytes = "a b";
    scanner.SetOnTokenRead(
        [&stream](TScanner& sender, TToken&, bool&, bool&) { sender.ScanStream(stream); });
    EXPECT_THROW(scanner.ScanStream(stream), std::logic_error);
    scanner.SetOnTokenRead(nullptr);
    EXPECT_EQ(Scan(scanner, "a b"), (Strings{"ident[a]", "ident[b]", "eof[]"}));
}

// A read in steps pauses at its bounds, with or without a token handler, and reading on gives
// the list one read gives.
TEST(ScannerSteps, ReadsPauseAtTheirBoundsAndGoOn) {
    const std::string text = "a b c\nd e\nf";
    using TStop = TScanStop;
    for (const bool withTokenHandler : {false, true}) {
        SCOPED_TRACE(withTokenHandler);
        TScanner scanner;
        if (withTokenHandler) {
            scanner.SetOnTokenRead([](TScanner&, TToken&, bool&, bool&) {});
        }
        TMemoryStream stream;
        stream.Bytes = text;
        scanner.StartScan(stream);
        EXPECT_EQ(scanner.ScanTokens({.Tokens = 2}), TStop::TokenBound);
        EXPECT_EQ(scanner.TokenCount(), 2);
        EXPECT_EQ(scanner.ScanTokens({.Offset = 6}), TStop::OffsetBound); // d, the line's start
        EXPECT_EQ(scanner.TokenCount(), 4);
        EXPECT_EQ(scanner.ScanTokens({.Tokens = 3}), TStop::End);
        TScanner oneRead;
        EXPECT_EQ(ListTokens(scanner, true), Scan(oneRead, text, true));
    }
}

// Reads in steps of every size, across the fast path's batches and its falls back to the full
// rules (strings, comments, a lone CR, runs of blanks), give the list one read gives.
TEST(ScannerSteps, StepsOfAnySizeGiveTheListOfOneRead) {
    std::string text;
    for (int line = 0; line < 300; ++line) {
        text += "begin x" + std::to_string(line) + " := 'it''s' + 1,5; { c }  y\t(z)";
        text += line % 7 == 0 ? "\r" : line % 3 == 0 ? "\r\n" : "\n";
    }
    TScanner oneRead;
    const Strings whole = Scan(oneRead, text, true);
    for (const std::size_t step : {1, 255, 256, 257, 1000}) {
        for (const bool byOffset : {false, true}) {
            SCOPED_TRACE(std::to_string(step) + (byOffset ? " bytes" : " tokens"));
            TScanner scanner;
            TMemoryStream stream;
            stream.Bytes = text;
            scanner.StartScan(stream);
            std::size_t at = 0;
            TScanStop stop = TScanStop::TokenBound;
            while (stop != TScanStop::End) {
                at += step;
                stop = scanner.ScanTokens(byOffset ? TScanBound{.Offset = at}
                                                   : TScanBound{.Tokens = step});
            }
            EXPECT_EQ(ListTokens(scanner, true), whole);
        }
    }
}

} // namespace
} // namespace dialoscope::test
