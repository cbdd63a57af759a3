// The text layer as project workers use it: one code page and one display codec shared by all
// threads, one word counter each.

#include "text/display_text.h"
#include "text/word_count.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace dialoscope {
namespace {

TEST(TextLayer, SharedBetweenThreads) {
    const TTextCodePage codePage("windows-1251");
    const TDisplayCodec codec(codePage);
    std::string bytes = "\xcf\xf0\xe8\xe2\xe5\xf2, 42 \xec\xe8\xf0\xe0! ";
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    const TTextMeasure expected = MeasureText(codePage.ToUtf8(bytes));
    std::vector<int> failures(4, 0);
    std::vector<std::thread> workers;
    for (std::size_t w = 0; w < failures.size(); ++w) {
        workers.emplace_back([&, w] {
            TWordCounter counter;
            for (int round = 0; round < 200; ++round) {
                const std::string text = codePage.ToUtf8(bytes);
                failures[w] += codePage.FromUtf8(text).Bytes != bytes ||
                               codec.Encode(codec.Decode(bytes)) != bytes ||
                               counter.Measure(text) != expected;
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

} // namespace
} // namespace dialoscope
