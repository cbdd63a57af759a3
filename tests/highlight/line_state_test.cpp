#include "highlight/highlight_engine.h"
#include "highlight/line_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialoscope {
namespace {

constexpr TLineState P = TLineState::Plain;
constexpr TLineState B = TLineState::InBraceComment;
constexpr TLineState S = TLineState::InParenStarComment;

TEST(LineState, EndStateOfOneLine) {
    struct TCase {
        TLineState Start;
        std::string_view Line;
        TLineState End;
    };
    const TCase cases[] = {
        {P, "", P},
        {B, "", B},
        {S, "", S},
        {P, "abc", P},
        {P, "{ x", B},
        {P, "{ x }", P},
        {P, "(* x", S},
        {P, "(* x *)", P},
        {P, "(*)", S},
        {P, "(**)", P},
        {P, "(* a ) b *)", P},
        {P, "{ a } (* b", S},
        {P, "(* a *) { b", B},
        {P, "'{'", P},
        {P, "'it''s {' x", P},
        {P, "'open {", P},
        {P, "// {", B},
        {P, "}", P},
        {B, "x } {", B},
        {B, "x }", P},
        {B, "*) '", B},
        {S, ")", S},
        {S, "*)", P},
        {S, "x ) *)", P},
        {S, "}", S},
        {S, "*) 'open (*", P},
        {S, "*) (*", S},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Line) + " from " + std::to_string(static_cast<int>(c.Start)));
        EXPECT_EQ(PascalLineEndState(c.Line, c.Start), c.End);
    }
}

TEST(LineState, IntegerStatesOutsideOneAndTwoArePlain) {
    EXPECT_EQ(LineStateFromInt(-1), P);
    EXPECT_EQ(LineStateFromInt(0), P);
    EXPECT_EQ(LineStateFromInt(1), B);
    EXPECT_EQ(LineStateFromInt(2), S);
    EXPECT_EQ(LineStateFromInt(3), P);
}

TEST(LineState, RescanAgreesWithLineByLineStates) {
    const std::vector<std::string> lines = {
        "    1     1 error        {",
        "    2     1 identifier   x",
        "    3     1 error        }",
        "a (* b",
        "c *) d (*",
        "",
        "e ) f *) 'g",
        "{ '}' h",
        "i",
    };
    const std::vector<TLineState> expected = {P, B, B, P, S, S, S, P, P};
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n"; // a CR before the line feed changes nothing
    }
    THighlightEngine engine;
    engine.RescanLineStates(text);
    TLineState chained = P;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(engine.LineState(i), expected[i]);
        EXPECT_EQ(chained, expected[i]);
        chained = engine.LineEndState(lines[i], chained);
    }
}

TEST(LineState, StatesKeptForTheFirst65537Lines) {
    std::string text = "{\n";
    for (int i = 0; i < 70000; ++i) {
        text += "x\n";
    }
    THighlightEngine engine;
    engine.RescanLineStates(text);
    EXPECT_EQ(engine.LineState(0), P);
    EXPECT_EQ(engine.LineState(1), B);
    EXPECT_EQ(engine.LineState(65536), B);
    EXPECT_EQ(engine.LineState(65537), P);
    EXPECT_EQ(engine.LineState(69999), P);
}

TEST(LineState, NoStatesWithoutCommentTracking) {
    const std::string text = "{\nx\n";
    struct TCase {
        THighLighter Mode;
        bool LongTokens;
        TLineState Second;
    };
    const TCase cases[] = {
        {THighLighter::hlPascal, true, B}, {THighLighter::hlPascal, false, P},
        {THighLighter::hlNone, true, P},   {THighLighter::hlIni, true, P},
        {THighLighter::hlJava, true, P},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Mode));
        THighlightEngine engine;
        engine.RescanLineStates(text);
        engine.SetHighLighter(c.Mode);
        engine.SetLongTokens(c.LongTokens);
        engine.RescanLineStates(text); // clears what the Pascal rescan stored
        EXPECT_EQ(engine.LineState(1), c.Second);
        EXPECT_EQ(engine.LineEndState("{", P), c.Second);
    }
}

} // namespace
} // namespace dialoscope
