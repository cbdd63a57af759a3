#include "check_support.h"

#include "checks/detail/translation_check.h"
#include "checks/message_entries.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace dialoscope::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<TFinding> Compare(const std::string& original, const std::string& translation) {
    TLineStore originalLines;
    originalLines.SetText(original);
    TLineStore translationLines;
    translationLines.SetText(translation);
    std::vector<TFinding> findings;
    CompareTranslation(ReadMessageEntries(originalLines), ReadMessageEntries(translationLines),
                       TTranslationFiles{"orig.msg", "talk.msg"}, findings);
    return findings;
}

TEST(Translation, OneEntryPairs) {
    struct TRow {
        std::string Original;
        std::string Translated;
        std::vector<std::string> Expected;
    };
    const TRow rows[] = {
        {"Hello.", "Hallo.", {}},
        {"Sword", "Sword", {"untranslated 1 #100: message 100 is the same as in the original"}},
        {"Caf\xe9", "Caf\xe9", {"untranslated 1 #100: message 100 is the same as in the original"}},
        {"...", "...", {}}, // no letter: nothing to translate
        {"", "", {}},
        {"Yes!", "", {"untranslated 1 #100: message 100 is empty"}},
        {" Hi",
         "Hallo",
         {"whitespace-differs 1 #100: message 100: leading blanks \"\" differ from the "
          "original's \" \""}},
        {"Hi",
         "Hallo\t",
         {"whitespace-differs 1 #100: message 100: trailing blanks \"\t\" differ from the "
          "original's \"\""}},
        {"Who are you?",
         "Wer bist du.",
         {"punctuation-differs 1 #100: message 100 ends in \".\", the original in \"?\""}},
        {"Wait...", "Warte...", {}},
        {"Wait...",
         "Warte",
         {"punctuation-differs 1 #100: message 100 ends without punctuation, the original in "
          "\"...\""}},
        {"Go",
         "Geh!",
         {"punctuation-differs 1 #100: message 100 ends in \"!\", the original without "
          "punctuation"}},
        {"\"Quote.\"", "\"Zitat\".", {}}, // closing quotes do not count
        {"Really?! ",
         "Wirklich?!",
         {"whitespace-differs 1 #100: message 100: trailing blanks "
          "\"\" differ from the original's \" \""}},
        {" Go.",
         "Geh!",
         {"whitespace-differs 1 #100: message 100: leading blanks \"\" differ from the "
          "original's \" \"",
          "punctuation-differs 1 #100: message 100 ends in \"!\", the original in \".\""}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Original + " / " + row.Translated);
        EXPECT_THAT(DescribeAll(Compare("{100}{}{" + row.Original + "}\n",
                                        "{100}{}{" + row.Translated + "}\n")),
                    ElementsAreArray(row.Expected));
    }
}

TEST(Translation, MissingAndExtraNumbersWithTheirFiles) {
    const auto findings = Compare("{100}{}{One}\n{101}{}{Two}\n{102}{}{Three}\n",
                                  "# translated\n{100}{}{Eins}\n{102}{}{Drei}\n{103}{}{Vier}\n");
    EXPECT_THAT(DescribeAll(findings),
                ElementsAre("missing-translation 2 #101: message 101 is missing from the "
                            "translation",
                            "extra-translation 4 #103: message 103 is not in the original"));
    EXPECT_EQ(findings[0].File, "orig.msg");
    EXPECT_EQ(findings[0].Source, TFindingSource::OriginalMessages);
    EXPECT_EQ(findings[0].Severity, TSeverity::Error);
    EXPECT_EQ(findings[1].File, "talk.msg");
    EXPECT_EQ(findings[1].Source, TFindingSource::Messages);
    EXPECT_EQ(findings[1].Severity, TSeverity::Warning);
}

TEST(Translation, TheLaterOfTwoLinesCountsOnBothSides) {
    const auto findings = Compare("{100}{}{Old}\n{100}{}{New}\n", "{100}{}{New}\n{100}{}{Neu}\n");
    EXPECT_TRUE(findings.empty()) << Describe(findings.front());
}

TEST(Translation, FinalPunctuation) {
    EXPECT_EQ(FinalPunctuation("Hi?! "), "?!");
    EXPECT_EQ(FinalPunctuation("Hi.\"'"), ".");
    EXPECT_EQ(FinalPunctuation("Hi"), "");
    EXPECT_EQ(FinalPunctuation(""), "");
    EXPECT_EQ(FinalPunctuation("..."), "...");
}

} // namespace
} // namespace dialoscope::test
