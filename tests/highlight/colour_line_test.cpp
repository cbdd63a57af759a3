#include "colour_mask.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace dialoscope {
namespace {

using testing::ListingLine;
using testing::PaintMask;

// Column 12, line 345: both numbers navy, the blanks plain.
constexpr std::string_view kPrefixMask = "...nn...nnn.";

std::string ColourMask(THighlightEngine& engine, std::string_view line,
                       TLineState start = TLineState::Plain) {
    engine.ColourLine(line, start);
    return PaintMask(engine);
}

TEST(ColourLine, ListingLines) {
    struct TCase {
        std::string_view Kind;
        std::string_view Text;
        std::string_view KindMask;
        std::string_view TextMask;
    };
    const TCase cases[] = {
        {"keyword", "begin", "iiiiiii.....", "RRRRR"},
        {"keyword", "End", "iiiiiii.....", "RRR"},
        {"special char", "(", "iiiiiii.iiii", "y"},
        {"special char", "*", "iiiiiii.iiii", "y"},
        {"special char", ";", "iiiiiii.iiii", "y"},
        {"string", "it's here", "iiiiii......", "iisssssss"},
        {"string", "say \"hi\"", "iiiiii......", "iii.siis"},
        {"string", "it''s", "iiiiii......", "iissi"}, // an empty string, then s
        {"hex number", "1F", "iii.iiiiii..", "ni"},
        {"real", "101,102", "iiii........", "nnnynnn"},
        {"real", "1.5", "iiii........", "nnn"},
        {"identifier", "1.2.3", "iiiiiiiiii..", "iiiii"}, // one token, and no number
        {"integer", "-5", "iiiiiii.....", "yn"},
        {"identifier", "$1F", "iiiiiiiiii..", "nnn"},
        {"identifier", "$", "iiiiiiiiii..", "i"},
        {"identifier", "x\ty", "iiiiiiiiii..", "iii"},
        {"identifier", "\xC0\xE9", "iiiiiiiiii..", "ii"},
        {"error", "}", "iiiii.......", "y"},
        {"comment", "see // begin", "iiiiiii.....", "iii.cccccccc"},
        {"comment", "a (*b*) {c} d", "iiiiiii.....", "i.ccccc.ccc.i"},
    };
    THighlightEngine engine;
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Text));
        const std::string line = ListingLine(12, 345, c.Kind, c.Text);
        EXPECT_EQ(ColourMask(engine, line), std::string(kPrefixMask) + std::string(c.KindMask) +
                                                "." + std::string(c.TextMask));
    }
}

TEST(ColourLine, KindWordsArePaintedPlain) {
    const TSymbolColor plain{{}, TColor::WindowText(), TColor::WindowBackground()};
    THighlightEngine engine;
    for (const std::string_view kind : {"comment", "error", "hex number", "identifier", "integer",
                                        "keyword", "real", "special char", "string"}) {
        SCOPED_TRACE(std::string(kind));
        engine.ColourLine(ListingLine(1, 1, kind, "x"), TLineState::Plain);
        for (std::size_t position = 12; position < 24; ++position) {
            EXPECT_EQ(engine.Colors().Resolve(engine.CharAttrs()[position]), plain) << position;
        }
    }
}

TEST(ColourLine, CommentsCarriedAcrossLines) {
    const std::vector<std::string> lines = {
        ListingLine(1, 1, "identifier", "x"),   ListingLine(3, 1, "error", "{"),
        ListingLine(5, 1, "keyword", "begin"),  ListingLine(7, 1, "error", "}"),
        ListingLine(9, 1, "special char", ";"),
    };
    const std::string allComment(lines[2].size(), 'c');
    const std::vector<std::string> expected = {
        "....n.....n.iiiiiiiiii...i",      "....n.....n.iiiii........c", allComment,
        std::string(lines[3].size(), 'c'), // the "}" closes the comment
        "....n.....n.iiiiiii.iiii.y",
    };
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    THighlightEngine engine;
    engine.RescanLineStates(text);
    TLineState chained = TLineState::Plain;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        engine.ColourLine(i, lines[i]);
        EXPECT_EQ(PaintMask(engine), expected[i]);
        EXPECT_EQ(ColourMask(engine, lines[i], chained), expected[i]);
        chained = engine.LineEndState(lines[i], chained);
    }
}

TEST(ColourLine, StartInsideAComment) {
    struct TCase {
        TLineState Start;
        std::string_view Line;
        std::string_view Mask;
    };
    // Blanks after the comment's end keep the comment colour the line started with.
    const TCase cases[] = {
        {TLineState::InBraceComment, "ab} cd", "ccccii"},
        {TLineState::InBraceComment, "abc", "ccc"},
        {TLineState::InBraceComment, "*) x", "cccc"},
        {TLineState::InParenStarComment, "x *) y", "ccccci"},
        {TLineState::InParenStarComment, "} x", "ccc"},
        {TLineState::InParenStarComment, "*)}", "ccy"},
    };
    THighlightEngine engine;
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Line));
        EXPECT_EQ(ColourMask(engine, c.Line, c.Start), c.Mask);
    }
}

TEST(ColourLine, ModesAndReservedWordHandler) {
    const auto reserveX = [](const THighlightEngine&, std::string_view token, bool& reserved) {
        reserved = token == "x";
    };
    const auto throwAtStop = [](const THighlightEngine&, std::string_view token, bool&) {
        if (token == "stop") {
            throw std::runtime_error("stop");
        }
    };
    struct TCase {
        THighLighter Mode;
        THighlightEngine::TOnReservedWord Handler;
        std::string_view Line;
        std::string_view Mask;
    };
    const TCase cases[] = {
        {THighLighter::hlNone, nullptr, "begin 1 {", "........."},
        {THighLighter::hlCBuilder, nullptr, "begin 1", "......."},
        {THighLighter::hlIni, nullptr, "begin 1", "RRRRR.n"},
        {THighLighter::hlNone, reserveX, "x begin 1", "R.iiiii.n"},
        {THighLighter::hlPascal, reserveX, "x begin ;", "R.iiiii.y"},
        {THighLighter::hlPascal, throwAtStop, "a stop b", "i......."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Line));
        THighlightEngine engine;
        engine.SetHighLighter(c.Mode);
        engine.SetOnReservedWord(c.Handler);
        EXPECT_EQ(ColourMask(engine, c.Line), c.Mask);
    }
}

TEST(ColourLine, OnlyTheFirst1024PositionsAreColoured) {
    THighlightEngine engine;
    engine.ColourLine(std::string(1022, ' ') + "begin 1", TLineState::Plain);
    EXPECT_EQ(engine.ColouredLength(), 1024u);
    EXPECT_EQ(engine.CharAttrs()[1021], TColorEntry::PlainText);
    EXPECT_EQ(engine.CharAttrs()[1022], TColorEntry::Reserved);
    EXPECT_EQ(engine.CharAttrs()[1023], TColorEntry::Reserved);

    EXPECT_EQ(ColourMask(engine, std::string(5000, 'a')), std::string(1024, 'i'));
    EXPECT_EQ(ColourMask(engine, "x" + std::string(4000, '\'')), "i" + std::string(1023, 's'));
    std::string longComment = std::string(3000, 'a') + "} 1";
    EXPECT_EQ(ColourMask(engine, longComment, TLineState::InBraceComment), std::string(1024, 'c'));
}

TEST(ColourLine, PositionsPastTheLineAreEditorDefault) {
    THighlightEngine engine;
    engine.ColourLine(std::string(2000, 'a'), TLineState::Plain);
    engine.ColourLine("ab", TLineState::Plain);
    EXPECT_EQ(engine.ColouredLength(), 2u);
    EXPECT_EQ(engine.CharAttrs()[1], TColorEntry::Identifer);
    for (std::size_t position = 2; position < THighlightEngine::kCharAttrCount; ++position) {
        ASSERT_EQ(engine.CharAttrs()[position], TColorEntry::EditorDefault) << position;
    }
    engine.ColourLine("", TLineState::InBraceComment);
    EXPECT_EQ(engine.ColouredLength(), 0u);
    EXPECT_EQ(PaintMask(engine), "");
}

TEST(ColourLine, RunsCoverTheLine) {
    THighlightEngine engine;
    engine.ColourLine(ListingLine(1, 1, "keyword", "begin"), TLineState::Plain);
    std::vector<TColourRun> runs;
    engine.CharAttrRuns(runs);
    const std::vector<TColourRun> expected = {
        {0, 4, TColorEntry::PlainText},  {4, 1, TColorEntry::Number},
        {5, 5, TColorEntry::PlainText},  {10, 1, TColorEntry::Number},
        {11, 1, TColorEntry::PlainText}, {12, 7, TColorEntry::Identifer},
        {19, 6, TColorEntry::PlainText}, {25, 5, TColorEntry::Reserved},
    };
    EXPECT_EQ(runs, expected);
}

} // namespace
} // namespace dialoscope
