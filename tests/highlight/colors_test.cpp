#include "highlight/colors.h"
#include "highlight/detail/reserved_words.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace dialoscope {
namespace {

TEST(Colors, DefaultScheme) {
    struct TCase {
        TColorEntry Entry;
        TFontStyles Style;
        TColor ForeColor;
    };
    const TColor text = TColor::WindowText();
    const TCase cases[] = {
        {TColorEntry::Comment, TFontStyle::Italic, TColor::FromRgb(128, 128, 0)},
        {TColorEntry::Number, {}, TColor::FromRgb(0, 0, 128)},
        {TColorEntry::Strings, {}, TColor::FromRgb(128, 0, 128)},
        {TColorEntry::Symbol, {}, TColor::FromRgb(0, 0, 255)},
        {TColorEntry::Reserved, TFontStyle::Bold, text},
        {TColorEntry::Identifer, {}, text},
        {TColorEntry::Preproc, {}, TColor::FromRgb(0, 128, 0)},
        {TColorEntry::FunctionCall, {}, text},
        {TColorEntry::Declaration, {}, text},
        {TColorEntry::Statement, TFontStyle::Bold, text},
        {TColorEntry::PlainText, {}, text},
    };
    const TColors colors;
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Entry));
        EXPECT_EQ(colors[c.Entry],
                  (TSymbolColor{c.Style, c.ForeColor, TColor::WindowBackground()}));
    }
    EXPECT_EQ(colors.Resolve(TColorEntry::EditorDefault),
              (TSymbolColor{{}, TColor::EditorFont(), TColor::EditorBackground()}));
}

TEST(Colors, EntriesAreAssignedThroughTheIndex) {
    TColors colors;
    colors[TColorEntry::Symbol].ForeColor = TColor::FromRgb(1, 2, 3);
    EXPECT_EQ(colors.Symbol.ForeColor, TColor::FromRgb(1, 2, 3));
    TColors copy;
    EXPECT_NE(copy, colors);
    copy = colors;
    EXPECT_EQ(copy, colors);
}

TEST(ReservedWords, SixtyThreeWordsInAnyAsciiCase) {
    const auto& words = PascalReservedWords();
    EXPECT_EQ(std::set<std::string_view>(words.begin(), words.end()).size(), 63u);
    for (const std::string_view word : words) {
        SCOPED_TRACE(std::string(word));
        EXPECT_TRUE(IsPascalReservedWord(word));
        std::string upper(word);
        for (char& c : upper) {
            c = static_cast<char>(c - 'a' + 'A');
        }
        EXPECT_TRUE(IsPascalReservedWord(upper));
    }
    for (const std::string_view other :
         {"", "beginx", "egin", "Say", "keyword", "initializations", "b\xC9gin", "end "}) {
        SCOPED_TRACE(std::string(other));
        EXPECT_FALSE(IsPascalReservedWord(other));
    }
}

} // namespace
} // namespace dialoscope
