// The keyword index compares whole words at once; these texts differ from a keyword in one byte
// at every position of every length, including bytes that a careless case fold would confuse
// ("@" and "`", "[" and "{", 0xC1 and 0xE1), and must be judged as a plain walk of the list would.

#include "scan_helpers.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace dialoscope::test {
namespace {

bool WalkFinds(const TScanner& scanner, std::string_view text) {
    for (const std::string& word : scanner.Keywords()) {
        if (scanner.KeywordsCaseSensitive() ? word == text : EqualIgnoringAsciiCase(word, text)) {
            return true;
        }
    }
    return false;
}

// Words of every length up to 24, from a mix of letters, digits and the confusable bytes.
std::vector<std::string> KeywordsOfEveryLength() {
    const std::string pool = "aB_c@D[e1F`g{H\xC1i\xE1jKlMnOpQrStU";
    std::vector<std::string> words;
    for (std::size_t length = 1; length <= 24; ++length) {
        words.push_back(pool.substr(length % 5, length));
    }
    return words;
}

// Each word itself, with its case flipped, and with one byte replaced at each position.
std::vector<std::string> Probes(const std::vector<std::string>& words) {
    const std::string replacements = "Aa@`[{\xC1\xE1_0";
    std::vector<std::string> probes;
    for (const std::string& word : words) {
        probes.push_back(word);
        std::string flipped = word;
        for (char& c : flipped) {
            const auto byte = static_cast<unsigned char>(c);
            c = static_cast<char>(std::isupper(byte) != 0 && byte < 128 ? AsciiLower(byte)
                                                                        : AsciiUpper(byte));
        }
        probes.push_back(flipped);
        probes.push_back(word.substr(1));
        probes.push_back(word + "x");
        for (std::size_t at = 0; at < word.size(); ++at) {
            for (const char replacement : replacements) {
                std::string probe = word;
                probe[at] = replacement;
                probes.push_back(probe);
            }
        }
    }
    return probes;
}

TEST(ScannerKeywords, LookupAgreesWithAWalkOfTheList) {
    const std::vector<std::string> words = KeywordsOfEveryLength();
    const std::vector<std::string> probes = Probes(words);
    for (const bool caseSensitive : {false, true}) {
        TScanner scanner;
        scanner.SetKeywords(words);
        scanner.SetKeywordsCaseSensitive(caseSensitive);
        int found = 0;
        for (const std::string& probe : probes) {
            SCOPED_TRACE("\"" + probe + "\", case sensitive " + std::to_string(caseSensitive));
            const bool expected = WalkFinds(scanner, probe);
            EXPECT_EQ(scanner.IsKeyword(probe), expected);
            found += expected ? 1 : 0;
        }
        // The probes are worth something only if some of them hit.
        EXPECT_GT(found, static_cast<int>(words.size()));
    }
}

} // namespace
} // namespace dialoscope::test
