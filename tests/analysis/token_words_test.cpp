// The walks' skip: from any position, for any set of wanted words, it stops exactly where a
// token-by-token walk would first have something to do. And the words the scan chooses as it
// reads are the words a pass over the finished list chooses.

#include "analysis_texts.h"

#include "analysis/detail/token_words.h"
#include "analysis/file_bytes.h"
#include "workload.h"

#include <gtest/gtest.h>

#include <random>

namespace dialoscope::test {
namespace {

// The walk's own test, one token at a time.
std::int64_t SkipOneByOne(const TTokenWords& words, std::int64_t j, std::int64_t size,
                          TWordSet wanted) {
    while (j >= 0 && j < size && !wanted.Has(words.At(j)) &&
           !TTokenWords::NodeEnds.Has(words.At(j + 2))) {
        ++j;
    }
    return j;
}

TEST(TokenWords, SkipQuietStopsWhereAWalkWould) {
    static const char* const Texts[] = {"function", ".", "@", "Answer", "Say", "Write",
                                        "x",        "1", ";", "(",      ")"};
    const TWordSet sets[] = {{TWord::Identifier},
                             {TWord::Answer},
                             {TWord::Say, TWord::Write, TWord::Writeln},
                             {TWord::SayForAnswer}};
    // From seed 5 on, most texts are quiet ones (the last five), so the skip runs over long
    // stretches of them.
    for (const unsigned seed : {1U, 2U, 3U, 4U, 5U, 6U, 7U, 8U}) {
        std::mt19937 random(seed);
        std::string script;
        const int count = static_cast<int>(random() % 200);
        for (int i = 0; i < count; ++i) {
            const bool quiet = seed >= 5 && random() % 16 != 0;
            script +=
                Texts[quiet ? std::size(Texts) - 1 - random() % 5 : random() % std::size(Texts)];
            script += ' ';
        }
        TAnalyzed a;
        LoadTexts(a.Ws, script);
        a.Ws.Scanner.ScanStream(a.Ws.ScriptStream);
        const TTokenCursor tokens(a.Ws.Scanner);
        const TTokenWords words(tokens);
        const std::int64_t size = std::max<std::int64_t>(tokens.Last(), 0);
        for (const TWordSet wanted : sets) {
            for (std::int64_t j = -1; j <= size + 2; ++j) {
                ASSERT_EQ(words.SkipQuiet(j, wanted), SkipOneByOne(words, j, size, wanted))
                    << "seed " << seed << " from " << j << " in " << script;
            }
        }
    }
}

TEST(TokenWords, ChosenByTheScanAsByAPassAfterIt) {
    const std::string folder = GeneratedWorkload("--nodes 80 --seed 5");
    TAnalyzed a;
    LoadTexts(a.Ws, ReadFileBytes(folder + "/talk.ipp") +
                        "\n'function' . @ Answer <!-- Say --> SAY say FUNCTION Writeln WRITELN");
    a.Ws.Scanner.SetTokenTagger(&TTokenWords::Tag, TTokenWords::TaggedByKindAlone);
    a.Ws.Scanner.ScanStream(a.Ws.ScriptStream);
    ASSERT_NE(a.Ws.Scanner.TokenTags(), nullptr);
    const TTokenCursor tokens(a.Ws.Scanner);
    const TTokenWords tagged(tokens, a.Ws.Scanner.TokenTags(), {});
    const TTokenWords passed(tokens);
    for (std::int64_t j = -1; j <= tokens.Last() + 1; ++j) {
        ASSERT_EQ(tagged.At(j), passed.At(j)) << "token " << j;
    }
}

} // namespace
} // namespace dialoscope::test
