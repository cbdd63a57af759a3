// What each kind of text scans to: kinds, texts and (where they are the point) positions.

#include "scan_helpers.h"

#include <gtest/gtest.h>

namespace dialoscope::test {
namespace {

using namespace std::string_literals;

void ExpectScans(TScanner& scanner, const std::vector<TScanCase>& cases, bool withPosition) {
    for (const TScanCase& row : cases) {
        SCOPED_TRACE("input \"" + row.Input + "\"");
        EXPECT_EQ(Scan(scanner, row.Input, withPosition), row.Expected);
    }
}

TEST(Scanner, EmptyTextIsOneEndOfFile) {
    TScanner scanner = DialogScanner();
    EXPECT_EQ(Scan(scanner, "", true), (std::vector<std::string>{"eof[]@1:1"}));
    EXPECT_EQ(Scan(scanner, " \r\n\t"), (std::vector<std::string>{"eof[]"}));
}

TEST(Scanner, Identifiers) {
    TScanner scanner;
    scanner.SetAdditionalChars("_");
    ExpectScans(scanner,
                {{"abc1_x", {"ident[abc1_x]", "eof[]"}},
                 {"_a b", {"ident[_a]", "ident[b]", "eof[]"}},
                 {"x9", {"ident[x9]", "eof[]"}}},
                false);
    scanner.SetAllowFigures(false);
    ExpectScans(scanner, {{"abc1_x", {"ident[abc]", "int[1]", "ident[_x]", "eof[]"}}}, false);
}

TEST(Scanner, AdditionalCharsStartIdentifiersBeforeAnyOtherRule) {
    TScanner scanner;
    scanner.SetAdditionalChars("1$'");
    ExpectScans(scanner, {{"1a $b 'c'", {"ident[1a]", "ident[$b]", "ident['c']", "eof[]"}}}, false);
}

TEST(Scanner, KeywordsMatchIgnoringCaseAndKeepTheirText) {
    TScanner scanner = DialogScanner();
    ExpectScans(
        scanner,
        {{"BEGIN Begin begin", {"keyword[BEGIN]", "keyword[Begin]", "keyword[begin]", "eof[]"}},
         {"GetStr getstr beginx",
          {"keyword[GetStr]", "keyword[getstr]", "ident[beginx]", "eof[]"}}},
        false);

    TScanner exact;
    exact.SetKeywords({"begin"});
    exact.SetKeywordsCaseSensitive(true);
    ExpectScans(exact, {{"BEGIN begin", {"ident[BEGIN]", "keyword[begin]", "eof[]"}}}, false);
}

TEST(Scanner, IdentifiersBecomeErrorsWhenNotAllowed) {
    TScanner scanner;
    scanner.SetKeywords({"begin"});
    scanner.SetAllowIdentifier(false);
    ExpectScans(scanner, {{"abc begin", {"error[abc]", "keyword[begin]", "eof[]"}}}, false);
}

TEST(Scanner, Numbers) {
    TScanner scanner = DialogScanner();
    ExpectScans(scanner,
                {{"101,102", {"real[101,102]", "eof[]"}},
                 {"101, 102", {"int[101]", "special[,]", "int[102]", "eof[]"}},
                 {"12. ", {"int[12]", "special[.]", "eof[]"}},
                 {"12.", {"int[12]", "special[.]", "eof[]"}},
                 {"1.2.3", {"real[1.2]", "special[.]", "int[3]", "eof[]"}},
                 {"7a", {"int[7]", "ident[a]", "eof[]"}},
                 {"0.", {"real[0.]", "eof[]"}},
                 {"0.x", {"real[0.]", "ident[x]", "eof[]"}},
                 {"0.5", {"real[0.5]", "eof[]"}},
                 {"0,5", {"real[0,5]", "eof[]"}},
                 {"0 ", {"int[0]", "eof[]"}},
                 {"09", {"int[09]", "eof[]"}},
                 {"00.5", {"real[00.5]", "eof[]"}}},
                false);
}

// Was the real "0," before: a comma after a lone 0 now separates, as after any other number.
TEST(Scanner, ZeroBeforeACommaThatIsNoFraction) {
    TScanner scanner = DialogScanner();
    ExpectScans(scanner,
                {{"0, 1", {"int[0]@1:1", "special[,]@1:2", "int[1]@1:4", "eof[]@1:5"}},
                 {"0,", {"int[0]@1:1", "special[,]@1:2", "eof[]@1:3"}},
                 {"Rnd(0,109)",
                  {"keyword[Rnd]@1:1", "special[(]@1:4", "real[0,109]@1:5", "special[)]@1:10",
                   "eof[]@1:11"}}},
                true);
}

TEST(Scanner, HexNumbers) {
    TScanner scanner = DialogScanner();
    ExpectScans(scanner,
                {{"$1F", {"hex[1F]@1:1", "eof[]@1:4"}},
                 {"0x1F", {"hex[1F]@1:1", "eof[]@1:5"}},
                 {"0X1fz", {"hex[1f]@1:1", "ident[z]@1:5", "eof[]@1:6"}},
                 {"$FF;", {"hex[FF]@1:1", "special[;]@1:4", "eof[]@1:5"}},
                 {"0xg", {"hex[]@1:1", "ident[g]@1:3", "eof[]@1:4"}},
                 {"$ ", {"error[$ ]@1:1", "eof[]@1:3"}},
                 {"$", {"error[$]@1:1", "eof[]@1:2"}},
                 {"$\r\n1", {"error[$\n]@1:1", "int[1]@2:1", "eof[]@2:2"}},
                 {"$\n1", {"error[$\n]@1:1", "int[1]@2:1", "eof[]@2:2"}}},
                true);
}

TEST(Scanner, DollarAsSpecialCharRescansTheDigits) {
    TScanner scanner = DialogScanner();
    scanner.SetSpecialChars("$;");
    ExpectScans(scanner,
                {{"$1F", {"special[$]@1:1", "int[1]@1:2", "ident[F]@1:3", "eof[]@1:4"}},
                 {"$ ", {"special[$]@1:1", "eof[]@1:3"}},
                 {"0x1F;", {"hex[1F]@1:1", "special[;]@1:5", "eof[]@1:6"}}},
                true);
}

TEST(Scanner, Strings) {
    TScanner scanner = DialogScanner();
    ExpectScans(scanner,
                {{"'abc' \"abc\"", {"string[abc]@1:1", "string[abc]@1:7", "eof[]@1:12"}},
                 {"'it''s'", {"string[it]@1:1", "string[s]@1:5", "eof[]@1:8"}},
                 {"'a\"b{#}'", {"string[a\"b{#}]@1:1", "eof[]@1:9"}},
                 {"''", {"string[]@1:1", "eof[]@1:3"}},
                 {"'abc\r\nx", {"error[abc]@1:1", "ident[x]@2:1", "eof[]@2:2"}},
                 {"\"abc\ny\"", {"error[abc]@1:1", "ident[y]@2:1", "error[]@2:2", "eof[]@2:3"}}},
                true);
}

TEST(Scanner, LineComments) {
    TScanner scanner = DialogScanner();
    ExpectScans(scanner,
                {{"// note  ", {"comment[note]@1:3", "eof[]@1:10"}},
                 {"x // a\r\nb", {"ident[x]@1:1", "comment[a]@1:5", "ident[b]@2:1", "eof[]@2:2"}},
                 {"//\tx \t ", {"comment[\tx \t]@1:3", "eof[]@1:8"}},
                 {"//", {"comment[]@1:3", "eof[]@1:3"}},
                 {"a/b", {"ident[a]@1:1", "special[/]@1:2", "ident[b]@1:3", "eof[]@1:4"}}},
                true);
}

TEST(Scanner, BlockCommentsGiveOneTokenPerLine) {
    TScanner scanner = DialogScanner();
    ExpectScans(scanner,
                {{"<!-- one\r\n    two\r\nthree -->x",
                  {"comment[one]@1:6", "comment[two]@2:5", "comment[three]@3:1", "ident[x]@3:10",
                   "eof[]@3:11"}},
                 {"<!--\n\n-->", {"comment[]@1:5", "comment[]@2:1", "comment[]@3:1", "eof[]@3:4"}},
                 {"<!-- a", {"comment[a]@1:6", "eof[]@1:7"}},
                 {"<!-- a\n", {"comment[a]@1:6", "comment[]@2:1", "eof[]@2:1"}},
                 {"<!--a-- ->-->", {"comment[a-- ->]@1:5", "eof[]@1:14"}}},
                true);
    ExpectScans(scanner,
                {{"-->", {"special[-]", "special[-]", "special[>]", "eof[]"}},
                 {"<!x", {"special[<]", "special[!]", "ident[x]", "eof[]"}}},
                false);
}

TEST(Scanner, CommentMarkersFollowTheKeywordCaseRule) {
    TScanner scanner;
    scanner.SetCommentLine("#rem");
    ExpectScans(scanner, {{"#REM x", {"comment[x]", "eof[]"}}}, false);
    scanner.SetKeywordsCaseSensitive(true);
    ExpectScans(scanner, {{"#REM x", {"error[#]", "ident[REM]", "ident[x]", "eof[]"}}}, false);
    // Markers are tried only where no identifier, number, string or blank starts.
    scanner.SetCommentLine("rem");
    ExpectScans(scanner, {{"rem x", {"ident[rem]", "ident[x]", "eof[]"}}}, false);
}

TEST(Scanner, DefaultBlockCommentUsesBraces) {
    TScanner scanner;
    ExpectScans(scanner, {{"{ x }y", {"comment[x]@1:3", "ident[y]@1:6", "eof[]@1:7"}}}, true);
}

TEST(Scanner, LineBreaksCountLines) {
    TScanner scanner = DialogScanner();
    ExpectScans(scanner,
                {{"a\r\nb\rc\nd",
                  {"ident[a]@1:1", "ident[b]@2:1", "ident[c]@3:1", "ident[d]@4:1", "eof[]@4:2"}},
                 {"\n\r\r\n\ta", {"ident[a]@4:2", "eof[]@4:3"}}},
                true);
}

TEST(Scanner, ZeroBytesEndTokensAndCountAsColumns) {
    TScanner scanner = DialogScanner();
    ExpectScans(scanner,
                {{"a\0b"s, {"ident[a]@1:1", "ident[b]@1:3", "eof[]@1:4"}},
                 {"'ab\0c'"s, {"error[ab]@1:1", "ident[c]@1:5", "error[]@1:6", "eof[]@1:7"}},
                 {"// a\0b"s, {"comment[a]@1:3", "ident[b]@1:6", "eof[]@1:7"}},
                 {"$\0"s, {"error[$\0]@1:1"s, "eof[]@1:3"}},
                 {"a\r\0b"s, {"ident[a]@1:1", "ident[b]@2:1", "eof[]@2:2"}}},
                true);
}

TEST(Scanner, CharactersWithoutARuleAreErrorTokens) {
    TScanner scanner = DialogScanner();
    ExpectScans(scanner,
                {{"#", {"error[#]", "eof[]"}},
                 {"{ note }", {"error[{]", "ident[note]", "error[}]", "eof[]"}},
                 {"a%b\x80", {"ident[a]", "error[%]", "ident[b]", "error[\x80]", "eof[]"}},
                 {":=<>", {"special[:]", "special[=]", "special[<]", "special[>]", "eof[]"}}},
                false);
}

TEST(Scanner, LeadBytesTakeTheNextByteAlong) {
    TScanner singleByte = DialogScanner();
    ExpectScans(singleByte,
                {{"\x81@", {"error[\x81]", "special[@]", "eof[]"}},
                 {"'\x81''", {"string[\x81]", "error[]", "eof[]"}}},
                false);

    TScanner doubleByte = DialogScanner();
    doubleByte.SetCodePage(TCodePage::WithLeadRanges({{0x81, 0x9F}, {0xE0, 0xFC}}));
    ExpectScans(doubleByte,
                {{"\x81@", {"error[\x81@]@1:1", "eof[]@1:3"}},
                 {"'\x81''", {"string[\x81']@1:1", "eof[]@1:5"}},
                 {"// \x81\r\nx", {"comment[\x81\nx]@1:3", "eof[]@2:2"}},
                 {"ab\x81", {"ident[ab]@1:1", "error[\x81]@1:3", "eof[]@1:4"}}},
                true);
}

TEST(CodePage, LeadRanges) {
    const TCodePage single;
    EXPECT_TRUE(single.IsSingleByte());
    EXPECT_FALSE(single.IsLeadByte(0x81));
    const TCodePage japanese = TCodePage::WithLeadRanges({{0x81, 0x9F}, {0xE0, 0xFC}});
    EXPECT_FALSE(japanese.IsSingleByte());
    for (const auto& [byte, lead] : std::vector<std::pair<int, bool>>{{0x80, false},
                                                                      {0x81, true},
                                                                      {0x9F, true},
                                                                      {0xA0, false},
                                                                      {0xFC, true},
                                                                      {0xFD, false}}) {
        SCOPED_TRACE(byte);
        EXPECT_EQ(japanese.IsLeadByte(static_cast<unsigned char>(byte)), lead);
    }
}

} // namespace
} // namespace dialoscope::test
