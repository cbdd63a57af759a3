// Code pages between bytes and UTF-8: every byte a code page defines comes back unchanged,
// undefined bytes are reported, and a text the code page cannot hold is refused, never changed.

#include "text/code_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialoscope {
namespace {

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

TEST(TextCodePage, EveryByteRoundTripsInSingleByteCodePages) {
    for (const char* name :
         {"windows-1252", "windows-1251", "windows-1250", "ibm-866", "KOI8-R", "ibm-437"}) {
        SCOPED_TRACE(name);
        const TTextCodePage codePage(name);
        ASSERT_TRUE(codePage.IsSingleByte());
        std::vector<std::size_t> undefined{99};
        const std::string text = codePage.ToUtf8(AllBytes(), undefined);
        EXPECT_TRUE(undefined.empty());
        const TEncodeResult back = codePage.FromUtf8(text);
        ASSERT_TRUE(back.IsEncoded());
        EXPECT_EQ(back.Bytes, AllBytes());
    }
}

TEST(TextCodePage, DecodesToTheCodePagesOwnCharacters) {
    struct TCase {
        const char* CodePage;
        std::string Bytes;
        std::string Utf8;
    };
    const std::vector<TCase> cases = {
        {"windows-1252", "\x80 caf\xe9 \xc4pfel", "€ café Äpfel"},
        {"windows-1251", "\xcf\xf0\xe8\xe2\xe5\xf2, \xec\xe8\xf0", "Привет, мир"},
        {"ibm-866", "\x8f\xe0\xa8", "При"},
        {"KOI8-R", "\xf0\xd2\xc9", "При"},
        {"UTF-8", "\xd0\x9f\xf0\x9f\x98\x80", "П😀"},
        {"Shift_JIS", "\x93\xfa\x96\x7b\x8c\xea", "日本語"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.CodePage);
        const TTextCodePage codePage(c.CodePage);
        EXPECT_EQ(codePage.ToUtf8(c.Bytes), c.Utf8);
        const TEncodeResult back = codePage.FromUtf8(c.Utf8);
        EXPECT_TRUE(back.IsEncoded());
        EXPECT_EQ(back.Bytes, c.Bytes);
    }
}

TEST(TextCodePage, UndefinedBytesBecomeReplacementsAndAreReported) {
    struct TCase {
        const char* CodePage;
        std::string Bytes;
        std::string Utf8;
        std::vector<std::size_t> Offsets;
    };
    const std::vector<TCase> cases = {
        {"windows-1253",
         "a\xd2"
         "b\xff",
         "a\uFFFDb\uFFFD",
         {1, 3}},
        {"ISO-8859-3", "\xa5\xa5", "\uFFFD\uFFFD", {0, 1}},
        {"UTF-8", "a\x80z\xe2\x82", "a\uFFFDz\uFFFD", {1, 3}},
        {"UTF-8", "\xc0\xaf!", "\uFFFD\uFFFD!", {0, 1}},
        {"Shift_JIS",
         "a\x80"
         "b",
         "a\uFFFDb",
         {1}},
        // Was an exception: a code page switching by escape sequences meets a bad one.
        {"ISO-2022-JP", "a\x1b(Xbc", "a\uFFFD(Xbc", {1}},
        {"windows-1252", "no undefined byte", "no undefined byte", {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.CodePage) + " " + c.Utf8);
        std::vector<std::size_t> offsets;
        EXPECT_EQ(TTextCodePage(c.CodePage).ToUtf8(c.Bytes, offsets), c.Utf8);
        EXPECT_EQ(offsets, c.Offsets);
    }
}

TEST(TextCodePage, RefusesWhatTheCodePageCannotHold) {
    struct TCase {
        const char* CodePage;
        std::string Utf8;
        TEncodeFailure Failure;
        std::size_t Offset;
        char32_t CodePoint;
    };
    const std::vector<TCase> cases = {
        {"windows-1252", "ab中c", TEncodeFailure::UnwritableCharacter, 2, U'中'},
        {"windows-1251", "Привет ä", TEncodeFailure::UnwritableCharacter, 13, U'ä'},
        // A replacement from an undefined byte is refused, so no byte changes silently.
        {"windows-1253", "a\uFFFD", TEncodeFailure::UnwritableCharacter, 1, U'\uFFFD'},
        {"KOI8-R", "x😀", TEncodeFailure::UnwritableCharacter, 1, U'😀'},
        {"Shift_JIS", "日本😀", TEncodeFailure::UnwritableCharacter, 6, U'😀'},
        {"windows-1252", "ab\xff", TEncodeFailure::InvalidUtf8, 2, U'\uFFFD'},
        {"UTF-8", "x\xc0\xaf", TEncodeFailure::InvalidUtf8, 1, U'\uFFFD'},
        {"Shift_JIS", "\xed\xa0\x80", TEncodeFailure::InvalidUtf8, 0, U'\uFFFD'},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.CodePage) + " " + c.Utf8);
        const TEncodeResult result = TTextCodePage(c.CodePage).FromUtf8(c.Utf8);
        ASSERT_FALSE(result.IsEncoded());
        EXPECT_TRUE(result.Bytes.empty());
        EXPECT_EQ(result.Refusal->Failure, c.Failure);
        EXPECT_EQ(result.Refusal->Offset, c.Offset);
        EXPECT_EQ(result.Refusal->CodePoint, c.CodePoint);
    }
}

TEST(TextCodePage, UnknownNamesAreRefused) {
    for (const std::string& name :
         std::vector<std::string>{"xyz", "windows-9999", "", std::string("UTF-8\0x", 7)}) {
        SCOPED_TRACE(name);
        try {
            const TTextCodePage codePage(name);
            ADD_FAILURE() << "accepted";
        } catch (const ECodePageError& error) {
            EXPECT_STREQ(error.what(), ("Unknown code page '" + name + "'").c_str());
            EXPECT_EQ(error.Name, name);
        }
    }
}

TEST(TextCodePage, KnowsItsKind) {
    struct TCase {
        const char* Name;
        bool SingleByte;
        bool Utf8;
    };
    for (const TCase& c : std::vector<TCase>{{"windows-1252", true, false},
                                             {"cp1251", true, false},
                                             {"utf8", false, true},
                                             {"Shift_JIS", false, false}}) {
        SCOPED_TRACE(c.Name);
        const TTextCodePage codePage(c.Name);
        EXPECT_EQ(codePage.Name(), c.Name);
        EXPECT_EQ(codePage.IsSingleByte(), c.SingleByte);
        EXPECT_EQ(codePage.IsUtf8(), c.Utf8);
    }
    EXPECT_EQ(TTextCodePage().Name(), "windows-1252");
}

// Was: import --code-page UTF-16 wrote a byte order mark and zero bytes into the lines.
TEST(TextCodePage, WritesMessageFilesOnlyWhenAsciiStaysOneByte) {
    struct TCase {
        const char* Name;
        bool Fits;
    };
    for (const TCase& c : std::vector<TCase>{{"windows-1252", true},
                                             {"KOI8-R", true},
                                             {"UTF-8", true},
                                             {"UTF-16", false},
                                             {"UTF-32", false},
                                             {"BOCU-1", false},
                                             {"SCSU", false},
                                             {"ISO-2022-JP", false},
                                             {"Shift_JIS", false},
                                             {"ibm-037", false}}) {
        SCOPED_TRACE(c.Name);
        const std::optional<std::string> why = TTextCodePage(c.Name).WhyNotForMessageFiles();
        EXPECT_EQ(!why.has_value(), c.Fits);
        if (why) {
            EXPECT_EQ(why->rfind(c.Name, 0), 0U) << *why;
        }
    }
}

} // namespace
} // namespace dialoscope
