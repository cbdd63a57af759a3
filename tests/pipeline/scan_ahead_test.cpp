// A scan that takes the tokens read ahead from a line on must list exactly what the plain scan
// lists, positions and tags included; and it must really take them where the line starts in the
// plain state, or a change that always dropped them would pass.

#include "../scanner/scan_helpers.h"
#include "pipeline/detail/scan_ahead.h"
#include "workload.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace dialoscope::test {
namespace {

// A tag that tells kinds and lengths apart, so tags taken from the wrong token would show.
std::uint8_t KindAndLength(TTokenKind kind, std::string_view text) {
    return static_cast<std::uint8_t>(static_cast<unsigned>(kind) * 16 + text.size() % 16);
}

// The tokens, each with its tag, of a scan by scanner.
std::vector<std::string> TaggedTokens(const TScanner& scanner) {
    std::vector<std::string> tokens = ListTokens(scanner, true);
    const std::uint8_t* tags = scanner.TokenTags();
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        tokens[i] += tags == nullptr ? " untagged" : " #" + std::to_string(tags[i]);
    }
    return tokens;
}

// The tokens of a scan of bytes that meets a scan ahead from start; taken says how many it took.
std::vector<std::string> ScanWithAhead(const std::string& bytes, std::size_t start,
                                       std::int32_t& taken) {
    TScanner scanner = DialogScanner();
    scanner.SetTokenTagger(&KindAndLength);
    TMemoryStream stream;
    stream.Bytes = bytes;
    TScanAhead ahead(stream.Bytes, start);
    ScanAhead(scanner, ahead);
    scanner.StartScan(stream);
    const bool paused = scanner.ScanTokens({.Offset = start}) == TScanStop::OffsetBound;
    taken = paused ? TakeAtSeam(scanner, ahead) : 0;
    if (paused && taken == 0) {
        scanner.ScanTokens();
    }
    return TaggedTokens(scanner);
}

std::vector<std::string> PlainScan(const std::string& bytes) {
    TScanner scanner = DialogScanner();
    scanner.SetTokenTagger(&KindAndLength);
    TMemoryStream stream;
    stream.Bytes = bytes;
    scanner.ScanStream(stream);
    return TaggedTokens(scanner);
}

struct TAheadCase {
    const char* Name;
    std::string Bytes;
    std::string StartAfter; // the scan ahead starts after the first occurrence of this
    bool Taken;
};

TEST(ScanAhead, TakenOnlyWhereTheLineStartsPlain) {
    const std::vector<TAheadCase> cases = {
        {"plain lines", "a = 1;\nb = 2;\nc(3);\n", "1;\n", true},
        {"CR LF lines", "a = 1;\r\nb = 2;\r\nc\r\n", "1;\r\n", true},
        {"blank lines first", "a\n\n\n   \t b c\nd\n", "a\n", true},
        {"a keyword and a string", "node X;\n'said' begin\nend\n", "X;\n", true},
        {"inside a block comment", "a <!-- one\nb two --> c\nd\n", "one\n", false},
        {"a comment closing at once", "a <!-- one\n--> c\nd\n", "one\n", false},
        {"a line comment before", "a // x\nb c\nd\n", "x\n", true},
        {"an open string before", "a 'open\nb c\nd\n", "open\n", true},
        {"a zero byte", std::string("a\nb\0c\nd\n", 8), "a\n", true},
        {"only the end after it", "a b\n", "b\n", false},
        {"a comment to the end", "a <!-- one\ntwo\nthree", "one\n", false},
    };
    for (const TAheadCase& c : cases) {
        const std::size_t start = c.Bytes.find(c.StartAfter) + c.StartAfter.size();
        std::int32_t taken = 0;
        EXPECT_EQ(ScanWithAhead(c.Bytes, start, taken), PlainScan(c.Bytes)) << c.Name;
        EXPECT_EQ(taken > 0, c.Taken) << c.Name;
    }
}

// A generated script, met at line starts all through it: every one is plain there.
TEST(ScanAhead, GeneratedScriptTakenAtEveryLine) {
    std::ifstream file(GeneratedWorkload("--nodes 60 --seed 11") + "/talk.ipp", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    const std::vector<std::string> plain = PlainScan(bytes);
    int lines = 0;
    for (std::size_t feed = bytes.find('\n'); feed + 1 < bytes.size();
         feed = bytes.find('\n', feed + 1)) {
        if (++lines % 97 != 0) {
            continue;
        }
        std::int32_t taken = 0;
        ASSERT_EQ(ScanWithAhead(bytes, feed + 1, taken), plain) << "at byte " << feed + 1;
        EXPECT_GT(taken, 0) << "at byte " << feed + 1;
    }
    EXPECT_GT(lines, 500);
}

} // namespace
} // namespace dialoscope::test
