#include "analysis/errors.h"
#include "analysis/int_conversion.h"

#include <gtest/gtest.h>

#include <optional>

namespace dialoscope {
namespace {

TEST(IntConversion, AcceptsDecimalAndHexForms) {
    const struct {
        const char* Text;
        std::int32_t Value;
    } rows[] = {
        {"0", 0},
        {"123", 123},
        {"007", 7},
        {"  42", 42},
        {"+5", 5},
        {"-17", -17},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$1F", 31},
        {"x1f", 31},
        {"X10", 16},
        {"0x10", 16},
        {"0XfF", 255},
        {"-$10", -16},
        {"$7FFFFFFF", 2147483647},
        {"$80000000", INT32_MIN}, // hex wraps above 7FFFFFFF
        {"$FFFFFFFF", -1},
        {"00000000000000000012", 12},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Text);
        EXPECT_EQ(TryStrToInt(row.Text), std::optional<std::int32_t>(row.Value));
    }
}

TEST(IntConversion, RejectsEverythingElse) {
    const char* rows[] = {
        "",      " ",          "12 ",         "1 2",        "abc",
        "12a",   "-",          "+",           "$",          "0x",
        "x",     "2147483648", "-2147483649", "$100000000", "1.5",
        "5,123", "100-105",    "--1",         "\t1",        "99999999999999999999"};
    for (const char* text : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(TryStrToInt(text), std::nullopt);
    }
}

TEST(IntConversion, ErrorTextNamesTheInput) {
    try {
        StrToInt("abc");
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
    }
    try {
        StrToInt("");
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'' is not a valid integer value");
    }
}

} // namespace
} // namespace dialoscope
