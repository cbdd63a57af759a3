// The line split against a plain reading of its rule, on texts made of line ends.

#include "analysis/line_store.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace dialoscope::test {
namespace {

// A CR LF pair, a lone LF and a lone CR each end a line; a final line end adds no empty line.
std::vector<std::string> PlainSplit(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            line += text[i];
            continue;
        }
        lines.push_back(line);
        line.clear();
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> StoredLines(const std::string& text) {
    TLineStore store;
    store.SetText(text);
    std::vector<std::string> lines;
    for (std::int32_t i = 0; i < store.Count(); ++i) {
        lines.emplace_back(store.Line(i));
    }
    return lines;
}

TEST(LineStore, SplitsAsThePlainRuleOnEveryMixOfLineEnds) {
    const std::string fixed[] = {"",       "\r",     "\n",       "\r\n",     "\n\r",
                                 "a\r\rb", "a\n\nb", "a\r\n\nb", "a\n\r\nb", "a\r",
                                 "a",      "\r\r\n", "ab\rc\nd"};
    for (const std::string& text : fixed) {
        SCOPED_TRACE(::testing::PrintToString(text));
        EXPECT_EQ(StoredLines(text), PlainSplit(text));
    }
    std::mt19937 random(7);
    // Every other text has long lines, so a line may run over several blocks of bytes.
    const char alphabet[] = {'\r', '\n', 'a', 'b', 'a', 'b', 'a', 'b', 'a', 'b', 'a', 'b'};
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 80, ' ');
        const unsigned letters = round % 2 == 0 ? 4 : sizeof alphabet;
        for (char& c : text) {
            c = alphabet[random() % letters];
        }
        SCOPED_TRACE(::testing::PrintToString(text));
        ASSERT_EQ(StoredLines(text), PlainSplit(text));
    }
}

} // namespace
} // namespace dialoscope::test
