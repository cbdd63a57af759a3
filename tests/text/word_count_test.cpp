// Words and characters of message texts decoded from their code page: letters of every
// alphabet and numbers make words, spaces and punctuation do not.

#include "text/code_page.h"
#include "text/word_count.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialoscope {
namespace {

TEST(WordCount, WordsAndCharactersOfDecodedTexts) {
    struct TCase {
        const char* CodePage;
        std::string Bytes;
        TTextMeasure Expected;
    };
    const std::vector<TCase> cases = {
        {"windows-1252", "Hallo, Welt! 42 \xc4pfel.", {4, 22}},
        {"windows-1252", "Gr\xfc\xdf Gott, Herr M\xfcller!", {4, 23}},
        {"windows-1252", "Don't stop \x96 it's 3.14 or 12,500 \x80.", {6, 35}},
        {"windows-1251",
         "\xcf\xf0\xe8\xe2\xe5\xf2, \xec\xe8\xf0! \xca\xe0\xea \xe4\xe5\xeb\xe0?",
         {4, 22}},
        {"windows-1251",
         "\xd3\xf0\xee\xe2\xe5\xed\xfc 7: 100 \xe7\xee\xeb\xee\xf2\xfb\xf5 (x2)",
         {5, 27}},
        {"UTF-8",
         "Level 3 \xe2\x80\x94 \xd0\xb3\xd0\xbe\xd1\x82\xd0\xbe\xd0\xb2\xd0\xbe!",
         {3, 17}},
        {"UTF-8", "... !? -- \"\" ***", {0, 16}},
        {"UTF-8", "", {0, 0}},
        {"UTF-8", "   \r\n\t", {0, 6}},
        // A malformed byte is one character and no word.
        {"UTF-8", "a \xff b", {2, 5}},
    };
    // One counter for every text, as a worker keeps it.
    TWordCounter counter;
    for (const TCase& c : cases) {
        const std::string utf8 = TTextCodePage(c.CodePage).ToUtf8(c.Bytes);
        SCOPED_TRACE(utf8);
        const TTextMeasure measure = counter.Measure(utf8);
        EXPECT_EQ(measure.Words, c.Expected.Words);
        EXPECT_EQ(measure.Characters, c.Expected.Characters);
        EXPECT_EQ(MeasureText(utf8), measure);
    }
    EXPECT_EQ(CountWords("Hallo, Welt! 42 \xc3\x84pfel."), 4u);
}

} // namespace
} // namespace dialoscope
