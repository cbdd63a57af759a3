#include "analysis/errors.h"
#include "analysis/int_conversion.h"

#include <gtest/gtest.h>

#include <charconv>
#include <climits>
#include <optional>
#include <random>
#include <string>

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

// Plain digit strings of every length around the nine that are read without the general
// reading, against std::from_chars: leading zeros, and values just inside and past the range.
TEST(IntConversion, DigitStringsReadAsFromChars) {
    std::mt19937 random(4);
    for (int round = 0; round < 3000; ++round) {
        std::string text(1 + random() % 12, '0');
        for (char& c : text) {
            c = static_cast<char>('0' + random() % (round % 3 == 0 ? 2 : 10));
        }
        SCOPED_TRACE(text);
        std::int64_t value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        const auto expected = value <= INT32_MAX
                                  ? std::optional<std::int32_t>(static_cast<std::int32_t>(value))
                                  : std::nullopt;
        ASSERT_EQ(TryStrToInt(text), expected);
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
