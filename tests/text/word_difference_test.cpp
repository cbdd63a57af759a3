// The difference of two originals word by word, cut by ICU's word boundaries of the texts as
// their code page reads them; the marks stand in the code page's bytes.

#include "text/code_page.h"
#include "text/word_difference.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialoscope {
namespace {

TEST(WordDifference, MarksWholeWordsRemovedAndAdded) {
    struct TCase {
        const char* CodePage;
        std::string Was;
        std::string Is;
        std::string Expected;
    };
    const std::vector<TCase> cases = {
        {"windows-1252", "the north gate", "the east gate", "the [-north-] {+east+} gate"},
        {"windows-1252", "Halt!", "Halt!", "Halt!"},
        {"windows-1252", "Go now.", "Go now, quickly.", "Go now{+, quickly+}."},
        {"windows-1252", "Go now, quickly.", "Go now.", "Go now[-, quickly-]."},
        {"windows-1252", "", "New line.", "{+New line.+}"},
        {"windows-1252", "Old line.", "", "[-Old line.-]"},
        // A word that only grew is one word changed, not a letter added.
        {"windows-1252", "The smith", "The smiths", "The [-smith-] {+smiths+}"},
        {"windows-1252", "Gr\xfc\xdf dich", "Gr\xfc\xdf euch", "Gr\xfc\xdf [-dich-] {+euch+}"},
        // 0xD7 is a letter in windows-1251 (Ч) but a sign in windows-1252 (×): the code page's
        // words, not Latin-1's.
        {"windows-1251", "\xd7\xe0\xe9 \xe8 \xf5\xeb\xe5\xe1", "\xd7\xe0\xe9 \xe8 \xec\xb8\xe4",
         "\xd7\xe0\xe9 \xe8 [-\xf5\xeb\xe5\xe1-] {+\xec\xb8\xe4+}"},
        {"UTF-8", "\xd0\xa7\xd0\xb0\xd0\xb9 1", "\xd0\xa7\xd0\xb0\xd0\xb9 2",
         "\xd0\xa7\xd0\xb0\xd0\xb9 [-1-] {+2+}"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Was + " -> " + c.Is);
        EXPECT_EQ(WordDifference(c.Was, c.Is, TTextCodePage(c.CodePage)), c.Expected);
        // The runs a viewer marks are exactly the texts between "{+" and "+}".
        std::vector<std::string> marked;
        for (std::size_t at = c.Expected.find("{+"); at != std::string::npos;
             at = c.Expected.find("{+", at + 2)) {
            marked.push_back(c.Expected.substr(at + 2, c.Expected.find("+}", at) - at - 2));
        }
        std::vector<std::string> runs;
        for (const TAddedRun run : AddedRuns(c.Was, c.Is, TTextCodePage(c.CodePage))) {
            runs.push_back(c.Is.substr(run.Offset, run.Length));
        }
        EXPECT_EQ(runs, marked);
    }
}

TEST(WordDifference, TextsTooLongToCompareAreOneChange) {
    std::string was;
    std::string is;
    for (int i = 0; i < 1500; ++i) {
        was += "a ";
        is += "b ";
    }
    EXPECT_EQ(WordDifference(was, is, TTextCodePage()), "[-" + was + "-] {+" + is + "+}");
}

} // namespace
} // namespace dialoscope
