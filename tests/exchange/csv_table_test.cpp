#include "exchange/detail/csv_table.h"
#include "exchange/detail/exchange_error.h"

#include <gtest/gtest.h>

namespace dialoscope {
namespace {

TEST(CsvTable, RowsRoundTripWhateverTheirFields) {
    const std::vector<std::vector<std::string>> tables[] = {
        {{"a", "b"}, {"", ""}},
        {{"say \"hi\"", "one, two"}, {"line\r\nbreak", "lf\nonly"}},
        {{"\xC3\xA4pfel", "\xD0\x9F\xD1\x80\xD0\xB8"}},
        {{"trailing,", ",leading", "\"\""}},
    };
    for (const auto& table : tables) {
        std::string text;
        for (const auto& row : table) {
            text += CsvRow(row);
        }
        SCOPED_TRACE(text);
        const std::vector<TCsvRow> read = ReadCsv(text, "t.csv");
        ASSERT_EQ(read.size(), table.size());
        for (std::size_t r = 0; r < table.size(); ++r) {
            EXPECT_EQ(read[r].Fields, table[r]);
        }
    }
}

TEST(CsvTable, QuotesOnlyWhatNeedsThem) {
    EXPECT_EQ(CsvRow({"plain", "a,b", "say \"x\"", "two\nlines"}),
              "plain,\"a,b\",\"say \"\"x\"\"\",\"two\nlines\"\r\n");
}

TEST(CsvTable, ReadsLineEndsBomAndLineNumbers) {
    const auto rows = ReadCsv("\xEF\xBB\xBFh1,h2\n\"a\nb\",c\r\nd,e", "t.csv");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Fields, (std::vector<std::string>{"h1", "h2"}));
    EXPECT_EQ(rows[1].Fields, (std::vector<std::string>{"a\nb", "c"}));
    EXPECT_EQ(rows[1].Line, 2);
    EXPECT_EQ(rows[2].Line, 4);
}

TEST(CsvTable, RefusesBrokenQuotingWithItsLine) {
    const struct {
        const char* Text;
        const char* Error;
    } cases[] = {
        {"a,b\n\"open,c\n", "t.csv:2: a quoted field is not closed"},
        {"a,\"b\"x\n", "t.csv:1: a closing quote is followed by text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        try {
            ReadCsv(c.Text, "t.csv");
            ADD_FAILURE() << "no error";
        } catch (const EExchangeError& error) {
            EXPECT_STREQ(error.what(), c.Error);
        }
    }
}

} // namespace
} // namespace dialoscope
