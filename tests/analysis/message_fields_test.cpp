#include "analysis/message_fields.h"
#include "analysis/message_file.h"

#include <gtest/gtest.h>

#include <string>

namespace dialoscope {
namespace {

// "number|middle|text" for a regular line, "irregular" or "skipped" otherwise.
std::string FieldsText(std::string_view line) {
    const TMessageFields fields = ReadMessageFields(line);
    switch (fields.Shape) {
    case TMessageLineShape::Skipped:
        return "skipped";
    case TMessageLineShape::Irregular:
        return "irregular";
    case TMessageLineShape::Regular:
        break;
    }
    return std::string(FieldBytes(line, fields.Number)) + "|" +
           std::string(FieldBytes(line, fields.Middle)) + "|" +
           std::string(FieldBytes(line, fields.Text));
}

TEST(MessageFields, ThreeFieldsBracesAsTheyStand) {
    const struct {
        std::string_view Line;
        std::string_view Fields;
    } cases[] = {
        {"{100}{}{Halt!}", "100||Halt!"},
        {"{100}{grd_halt}{Halt! State your business.}", "100|grd_halt|Halt! State your business."},
        // Was cut as " { Well?" by the fixed reading.
        {"  {101} {} { Well?}", "101|| Well?"},
        {"{102}\t{v}\t\t{Tab}\r", "102|v|Tab"},
        {"{103}{}{}", "103||"},
        {"{ 104 }{ mid }{ text }", " 104 | mid | text "},
        // Braces inside the text: the text runs to the line's last "}".
        {"{105}{}{a } b {c}}", "105||a } b {c}"},
        {"{106}{}{{x}}", "106||{x}"},
        {"{107}{a}{b}{c}", "107|a|b}{c"},
        {"{108}{}{}}", "108||}"},
        // What the analysis skips, the reader skips.
        {"", "skipped"},
        {" \t ", "skipped"},
        {"# {100}{}{comment}", "skipped"},
        // No three fields: no text field can be told.
        {"{109}", "irregular"},
        {"{109}{}", "irregular"},
        {"{109}{}{open", "irregular"},
        {"{109}{}{text} trailing", "irregular"},
        {"{109}{}text}", "irregular"},
        {"109}{}{text}", "irregular"},
        {"x{109}{}{text}", "irregular"},
        {"{1{09}{}{text}", "irregular"},
        {"{109}{m{id}{text}", "irregular"},
        {"{109}}{text}", "irregular"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(FieldsText(c.Line), c.Fields);
    }
}

TEST(MessageFields, RangesAreInTheUntrimmedLineAndAgreeWithTheNumberRule) {
    const std::string_view line = "  {101} {voice} { Well?}  ";
    const TMessageFields fields = ReadMessageFields(line);
    EXPECT_EQ(fields.Number, (TByteRange{3, 6}));
    EXPECT_EQ(fields.Middle, (TByteRange{9, 14}));
    EXPECT_EQ(fields.Text, (TByteRange{17, 23}));
    EXPECT_EQ(FieldBytes(line, fields.Number), MessageNumberText(TrimMessageLine(line)));
}

} // namespace
} // namespace dialoscope
