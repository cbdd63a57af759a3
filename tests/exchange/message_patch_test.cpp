#include "exchange/message_patch.h"

#include <gtest/gtest.h>

namespace dialoscope {
namespace {

TEST(MessagePatch, ReplacesOnlyTheTextField) {
    const struct {
        const char* File;
        std::vector<TPatchText> Texts;
        const char* Expected;
    } cases[] = {
        // Everything but the text of 101 stays: comments, blanks, CR LF, the middle field.
        {"# c\r\n{100}{}{Hi.}\r\n\r\n  {101}{}{Bye.}  \r\n", {{101, "Tsch\xFC\xDF."}},
         "# c\r\n{100}{}{Hi.}\r\n\r\n  {101}{}{Tsch\xFC\xDF.}  \r\n"},
        // Was "{101}{snX}": the text field, not the tables' fixed cut, is replaced; the middle
        // field, blanks between fields and braces inside the text stay as they are.
        {"{101}{snd}{Bye.}\n", {{101, "X"}}, "{101}{snd}{X}\n"},
        {"  {101} {} { Well?}\r\n", {{101, " Nun?"}}, "  {101} {} { Nun?}\r\n"},
        {"{102}\t{v2}{a {b} c}\n", {{102, "{x} }"}}, "{102}\t{v2}{{x} }}\n"},
        // An empty text field takes a text; LF and a missing last line end stay.
        {"{100}{}{}\n{102}{}{x}", {{100, "now"}, {102, "y"}}, "{100}{}{now}\n{102}{}{y}"},
        // A number defined twice: the line the analysis reads, the last one, changes.
        {"{7}{}{a}\n{7}{}{b}\n", {{7, "c"}}, "{7}{}{a}\n{7}{}{c}\n"},
        // Hexadecimal numbers are the same numbers.
        {"{$64}{}{old}\r\n", {{100, "new"}}, "{$64}{}{new}\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        const TPatchResult result = PatchMessageFile(c.File, c.Texts, TAddMissing::No);
        EXPECT_TRUE(result.Refused.empty());
        EXPECT_EQ(result.Bytes, c.Expected);
    }
}

TEST(MessagePatch, CountsAndAddsMissingNumbersInOrder) {
    const std::string file = "{100}{}{Hi.}\r\n{101}{}{Bye.}";
    const std::vector<TPatchText> texts = {{100, "Hi."}, {105, "five"}, {101, "Ciao."}, {103, "3"}};
    const TPatchResult kept = PatchMessageFile(file, texts, TAddMissing::No);
    EXPECT_EQ(kept.Replaced, 1);
    EXPECT_EQ(kept.Unchanged, 1);
    EXPECT_EQ(kept.Missing, (std::vector<std::int32_t>{103, 105}));
    EXPECT_EQ(kept.Bytes, "{100}{}{Hi.}\r\n{101}{}{Ciao.}");
    const TPatchResult added = PatchMessageFile(file, texts, TAddMissing::Yes);
    EXPECT_EQ(added.Added, 2);
    EXPECT_EQ(added.Bytes, "{100}{}{Hi.}\r\n{101}{}{Ciao.}\r\n{103}{}{3}\r\n{105}{}{five}\r\n");
}

TEST(MessagePatch, RefusesWhatTheLineCannotCarry) {
    const struct {
        const char* File;
        TPatchText Text;
        const char* Why;
    } cases[] = {
        {"{100}{}{a}\n", {100, "two\nlines"}, "the text holds a line break"},
        {"{100}{}{a}\n", {100, "cr\r"}, "the text holds a line break"},
        {"#\n{100}\n", {100, "x"},
         "line 2 does not split into {number}{middle}{text}, so its text field cannot be told"},
        {"{100}{}{open\n", {100, "x"},
         "line 1 does not split into {number}{middle}{text}, so its text field cannot be told"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        const TPatchResult result = PatchMessageFile(c.File, {c.Text}, TAddMissing::Yes);
        ASSERT_EQ(result.Refused.size(), 1u);
        EXPECT_EQ(result.Refused[0].Number, 100);
        EXPECT_EQ(result.Refused[0].Why, c.Why);
    }
}

} // namespace
} // namespace dialoscope
