// Texts far outside what a script usually holds: the scan stays linear and every position is
// still counted right.

#include "scan_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace dialoscope::test {
namespace {

TEST(Pathological, OneLineOfAMillionTokens) {
    std::string text;
    text.reserve(3000000);
    for (int i = 0; i < 500000; ++i) {
        text += "a;";
    }
    TScanner scanner = DialogScanner();
    TMemoryStream stream;
    stream.Bytes = text;
    scanner.ScanStream(stream);
    ASSERT_EQ(scanner.TokenCount(), 1000001);
    const TTokenView last = *scanner.TokenAt(999999);
    EXPECT_EQ(last.Text, ";");
    EXPECT_EQ(last.Line, 1);
    EXPECT_EQ(last.Column, 1000000);
    EXPECT_EQ(last.Offset, 999999);
}

TEST(Pathological, TenMegabyteBlockCommentOnOneLine) {
    TScanner scanner = DialogScanner();
    TMemoryStream stream;
    stream.Bytes = "<!--" + std::string(10000000, 'x') + "-->a";
    scanner.ScanStream(stream);
    ASSERT_EQ(scanner.TokenCount(), 3);
    EXPECT_EQ(scanner.TokenAt(0)->Text.size(), 10000000u);
    EXPECT_EQ(Describe(*scanner.TokenAt(1), true), "ident[a]@1:10000008");
}

TEST(Pathological, FileOfOnlyCarriageReturns) {
    TScanner scanner = DialogScanner();
    TMemoryStream stream;
    stream.Bytes = std::string(100000, '\r') + "x";
    scanner.ScanStream(stream);
    ASSERT_EQ(scanner.TokenCount(), 2);
    EXPECT_EQ(Describe(*scanner.TokenAt(0), true), "ident[x]@100001:1");
}

// A 0 byte reads as a line feed while peeked, so it ends the token it meets (an open string or a
// line comment ends there, a block comment goes on with its next piece) and between tokens is
// skipped like a blank; consumed, it counts as one column, never as a line.
TEST(Pathological, ZeroByteInEveryPositionKind) {
    const std::string zero(1, '\0');
    const TScanCase cases[] = {
        {zero, {"eof[]"}},
        {"ab" + zero + "c", {"ident[ab]@1:1", "ident[c]@1:4", "eof[]"}},
        {"12" + zero, {"int[12]@1:1", "eof[]"}},
        {"0" + zero, {"int[0]@1:1", "eof[]"}},
        {"0x" + zero, {"hex[]@1:1", "eof[]"}},
        {"1." + zero, {"int[1]@1:1", "special[.]@1:2", "eof[]"}},
        {"'ab" + zero + "c'", {"error[ab]@1:1", "ident[c]@1:5", "error[]@1:6", "eof[]"}},
        {"// a" + zero + "b\nx", {"comment[a]@1:3", "ident[b]@1:6", "ident[x]@2:1", "eof[]"}},
        {"<!-- a" + zero + "b -->x",
         {"comment[a]@1:6", "comment[b]@1:8", "ident[x]@1:13", "eof[]"}},
        {"\r" + zero + "x", {"ident[x]@2:1", "eof[]"}}, // read as a CR LF pair
    };
    for (const TScanCase& row : cases) {
        SCOPED_TRACE(std::string("input of ") + std::to_string(row.Input.size()) + " bytes");
        TScanner scanner = DialogScanner();
        std::vector<std::string> got = Scan(scanner, row.Input, true);
        got.back() = "eof[]"; // its position is not specified
        EXPECT_EQ(got, row.Expected);
    }
}

} // namespace
} // namespace dialoscope::test
