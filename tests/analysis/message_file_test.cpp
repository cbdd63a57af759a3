#include "analysis/errors.h"
#include "analysis/file_bytes.h"
#include "analysis/int_conversion.h"
#include "analysis/message_file.h"

#include "workload.h"

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace dialoscope {
namespace {

TLineStore LinesOf(std::string text) {
    TLineStore lines;
    lines.SetText(std::move(text));
    return lines;
}

TEST(MessageFile, TextIsCutAtFixedPlaces) {
    const struct {
        const char* Line;
        std::int32_t Number;
        const char* Text;
    } rows[] = {
        {"{100}{}{Hello there}", 100, "Hello there"},
        {"  \t{100}{}{Hello there}  \t", 100, "Hello there"},
        {"{100}{}{}", 100, ""},
        {"{100}", 100, ""},
        {"{100}{sound}{Hi}", 100, "und}{Hi"},
        {"{ 7}{}{x}", 7, "x"},
        {"7}abcXYZ!", 7, "XYZ"}, // no "{": the number runs from the line's start
        {"{$1F}{}{hex}", 31, "hex"},
        {"{0}{}{zero has no slot in the old table}", 0, "zero has no slot in the old table"},
        {"{250000}{}{beyond the old table}", 250000, "beyond the old table"},
        {"{-3}{}{negative}", -3, "negative"},
        {"{101}{}{\xC0\xFF bytes stay}", 101, "\xC0\xFF bytes stay"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Line);
        TMsgKeepArray table;
        LoadMessages(table, LinesOf(row.Line));
        ASSERT_EQ(table.Msg.size(), 1u);
        EXPECT_EQ(table.Text(row.Number), row.Text);
    }
}

// The texts are views into the lines they were read from: a new text of those lines, or the
// end of the table they were read into, must not change a copy's texts.
TEST(MessageFile, TextsOutliveTheirLinesAndTheirTable) {
    TLineStore lines = LinesOf("{100}{}{kept}\r\n{101}{}{also kept}\r\n");
    auto table = std::make_unique<TMsgKeepArray>();
    LoadMessages(*table, lines);
    lines.SetText("{100}{}{replaced}\r\n");
    const TMsgKeepArray copy = *table;
    table.reset();
    EXPECT_EQ(copy.Text(100), "kept");
    EXPECT_EQ(copy.Text(101), "also kept");
}

TEST(MessageFile, SkipsBlankAndCommentLinesAndLaterLineWins) {
    TMsgKeepArray table;
    table.Msg[5] = "from an earlier load";
    LoadMessages(table, LinesOf("# comment\r\n\r\n   \r\n  # indented comment\r\n"
                                "{100}{}{first}\r\n{102}{}{other}\r\n{100}{}{second}\r\n"));
    EXPECT_EQ(table.Msg.size(), 2u);
    EXPECT_EQ(table.Text(100), "second");
    EXPECT_EQ(table.Text(102), "other");
    EXPECT_EQ(table.Text(5), "");
    EXPECT_EQ(table.MaxNum, 102);
}

TEST(MessageFile, BadNumberEndsTheLoadWithTheConversionError) {
    const struct {
        const char* Text;
        const char* Error;
    } rows[] = {
        {"{100}{}{ok}\r\n{abc}{}{bad}\r\n{200}{}{never read}",
         "'abc' is not a valid integer value"},
        {"{100}{}{ok}\r\njust text\r\n{200}{}{never read}", "'' is not a valid integer value"},
        {"{100}{}{ok}\r\n{12 }{}{trailing blank}", "'12 ' is not a valid integer value"},
        {"{100}{}{ok}\r\n{}{}{empty}", "'' is not a valid integer value"},
        {"{100}{}{ok}\r\n{100", "'' is not a valid integer value"},
        {"{100}{}{ok}\r\n}{7}{}{close before open}", "'' is not a valid integer value"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Text);
        TMsgKeepArray table;
        table.MaxNum = 77;
        try {
            LoadMessages(table, LinesOf(row.Text));
            FAIL() << "no error";
        } catch (const EConvertError& error) {
            EXPECT_STREQ(error.what(), row.Error);
        }
        EXPECT_EQ(table.Text(100), "ok"); // lines before the bad one stay
        EXPECT_EQ(table.Text(200), "");
        EXPECT_EQ(table.MaxNum, 77); // keeps its previous value
    }
}

// The one-pass reading of the common line against the plain one, on hand-made edges and on every
// line of a generated message file, all of which it must take.
TEST(MessageFile, PlainLineReadsAsTheFullRules) {
    const std::string edges[] = {
        "{100}{}{Hello}", "{1}", "{1}{", "{12}x", "{123456789}{}{nine digits}",
        "{1234567890}{}{ten}", "{2147483648}{}{too big}", "{0007}{}{lead zeros}", "{}{}{}",
        "{-3}{}{x}", "{ 7}{}{x}", "{7 }{}{x}", "{7", "{7a}{}{x}", "{$1F}{}{x}", "7}{}{x}",
    };
    std::vector<std::string> lines(std::begin(edges), std::end(edges));
    const std::string folder = test::GeneratedWorkload("--nodes 60 --seed 11");
    const TLineStore generated = LinesOf(ReadFileBytes(folder + "/talk.msg"));
    std::size_t taken = 0;
    for (std::int32_t i = 0; i < generated.Count(); ++i) {
        const std::string_view trimmed = TrimMessageLine(generated.Line(i));
        if (!IsSkippedMessageLine(trimmed)) {
            lines.emplace_back(trimmed);
            ++taken;
        }
    }
    ASSERT_GT(taken, 100u);
    std::size_t plain = 0;
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        const auto read = ReadPlainMessageLine(line);
        if (!read) {
            continue;
        }
        ++plain;
        EXPECT_EQ(read->Number, StrToInt(MessageNumberText(line)));
        EXPECT_EQ(read->Text, MessageText(line));
    }
    EXPECT_GE(plain, taken);
}

TEST(ScriptList, NameIsTheTextBeforeTheFirstBlank) {
    const struct {
        const char* Line;
        const char* Name;
    } rows[] = {
        {"name.int 12 extra", "name.int"},  {"name.int", ""}, {" name.int 12", ""},
        {"name.int\t12 x", "name.int\t12"}, {"a  b", "a"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Line);
        EXPECT_EQ(ScriptListName(row.Line), row.Name);
    }
}

TEST(ScriptList, IndexOfTheLastMatchingLineIgnoringAsciiCase) {
    const struct {
        const char* Lst;
        const char* IntFileName;
        std::int32_t Before;
        std::int32_t After;
    } rows[] = {
        {"a.int 1\r\nNAME.int 2\r\nb.int 3", "name.int", 0, 2},
        {"a.int 1\r\nb.int 2", "NAME.int", 0, 0},
        {"a.int 1\r\nb.int 2", "name.int", 9, 9}, // no match keeps the earlier index
        {"name.int 1\r\nx 2\r\nName.Int 3", "name.int", 0, 3},
        {"name.int", "name.int", 4, 4}, // no blank: empty name, never matches
        {"", "name.int", 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Lst);
        TIntKeepArray list;
        list.Names = {"old", "entries", "from", "before", "x"};
        std::int32_t index = row.Before;
        LoadScriptList(list, LinesOf(row.Lst), row.IntFileName, index);
        EXPECT_EQ(index, row.After);
        EXPECT_EQ(list.Count(), LinesOf(row.Lst).Count());
    }
}

} // namespace
} // namespace dialoscope
