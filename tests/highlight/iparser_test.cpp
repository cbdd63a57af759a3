#include "highlight/iparser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialoscope {
namespace {

std::vector<std::string> ReadAll(TIParser& parser, std::string_view text) {
    parser.SetSource(text);
    std::vector<std::string> tokens;
    for (std::string_view token = parser.ReadToken(); !token.empty(); token = parser.ReadToken()) {
        tokens.emplace_back(token);
    }
    return tokens;
}

TEST(IParser, TokensUnderPascalRules) {
    struct TCase {
        std::string_view Text;
        std::vector<std::string> Tokens;
    };
    const TCase cases[] = {
        {"  a1_b\r\n_x", {"a1_b", "_x"}},
        {"12.5.6 1F 7", {"12.5.6", "1", "F", "7"}},
        {"$fF $ $g", {"$fF", "$", "$", "g"}},
        {"\tx\t", {"\t", "x", "\t"}},
        {"'a''b' 'c", {"'a'b'", "'c"}},
        {"'' '''' ''' x", {"''", "'''", "'' x"}},
        {"\"q\"", {"\"", "q", "\""}},
        {"(*c*) {d} //e\rf", {"(*c*)", "{d}", "//e", "f"}},
        {"(*)x", {"(*)x"}},
        {"x{open", {"x", "{open"}},
        {"a } b", {"a", "} b"}},
        {"a *) b", {"a", "*) b"}},
        {"( * (a", {"(", "*", "(", "a"}},
        {"-5 ;", {"-", "5", ";"}},
        {"\xC0\xE9z", {"\xC0", "\xE9", "z"}},
        {std::string_view("a\0b", 3), {"a", std::string(1, '\0'), "b"}},
        {"   ", {}},
    };
    TIParser parser;
    parser.SetKeepComments(true);
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Text));
        EXPECT_EQ(ReadAll(parser, c.Text), c.Tokens);
    }
}

TEST(IParser, CommentsSkippedWithoutKeepComments) {
    TIParser parser;
    EXPECT_EQ(ReadAll(parser, "(*c*) {d}  x //e"), std::vector<std::string>{"x"});
}

TEST(IParser, UnbalancedCommentsRaiseCodeOneAtTheirOffset) {
    struct TCase {
        std::string_view Text;
        std::int32_t Position;
    };
    const TCase cases[] = {{"{x", 0}, {"ab }", 3}, {"a (* x", 2}, {"a *)", 2}, {"(*)", 0}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Text));
        TIParser parser;
        try {
            ReadAll(parser, c.Text);
            ADD_FAILURE() << "no error";
        } catch (const EIParserError& error) {
            EXPECT_EQ(error.ErrorCode, 1);
            EXPECT_EQ(error.ErrorPosition, c.Position);
        }
    }
}

TEST(IParser, HistoryGivesOffsetsOfRecentTokens) {
    TIParser parser;
    parser.SetSource("a bb 'c''d' x");
    parser.ReadToken();
    parser.ReadToken();
    EXPECT_EQ(parser.ReadToken(), "'c'd'");
    // The string's offsets span its source form, quotes and doubled apostrophe included.
    EXPECT_EQ(parser.TokenBegin(0), 5u);
    EXPECT_EQ(parser.TokenEnd(0), 11u);
    EXPECT_EQ(parser.TokenText(0), "'c'd'");
    EXPECT_EQ(parser.TokenBegin(1), 2u);
    EXPECT_EQ(parser.TokenEnd(1), 4u);
    EXPECT_EQ(parser.TokenText(2), "a");
    EXPECT_EQ(parser.CurrentOffset(), 11u);
    // Back is taken modulo the ring, also past one turn and below zero.
    EXPECT_EQ(parser.TokenBegin(10), parser.TokenBegin(0));
    EXPECT_EQ(parser.TokenBegin(25), parser.TokenBegin(5));
    EXPECT_EQ(parser.TokenBegin(-1), parser.TokenBegin(9));
}

TEST(IParser, HistorySizeChanges) {
    TIParser parser;
    parser.SetHistorySize(3);
    EXPECT_EQ(parser.HistorySize(), 3);
    parser.SetSource("a b c d");
    for (int i = 0; i < 4; ++i) {
        parser.ReadToken();
    }
    EXPECT_EQ(parser.TokenText(0), "d");
    EXPECT_EQ(parser.TokenText(2), "b");
    EXPECT_EQ(parser.TokenText(3), "d");

    parser.SetHistorySize(0); // a ring needs a slot
    EXPECT_EQ(parser.HistorySize(), 1);
    EXPECT_EQ(parser.HistoryIndex(), 0);
    parser.SetSource("'x''y' z");
    EXPECT_EQ(parser.ReadToken(), "'x'y'");
    EXPECT_EQ(parser.ReadToken(), "z");
    EXPECT_EQ(parser.TokenText(0), "z");
}

TEST(IParser, StartOffsetIsClampedAndOffsetsStayLinePositions) {
    TIParser parser;
    parser.SetSource("ab} cd", 3);
    EXPECT_EQ(parser.ReadToken(), "cd");
    EXPECT_EQ(parser.TokenBegin(0), 4u);
    parser.SetSource("ab", 99);
    EXPECT_EQ(parser.ReadToken(), "");
}

} // namespace
} // namespace dialoscope
