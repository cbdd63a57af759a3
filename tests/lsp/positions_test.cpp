#include "lsp/document.h"
#include "lsp/encoded_text.h"
#include "lsp/uri.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialoscope::lsp {
namespace {

// "é" is one byte in windows-1252 and two in UTF-8; "😀" (U+1F600) is two UTF-16 units, four
// UTF-8 bytes, and no byte at all in windows-1252.
const std::string EAcute = "\xC3\xA9";
const std::string Smiley = "\xF0\x9F\x98\x80";

TEST(PositionMapping, ByteAndUtf16ColumnsBothWays) {
    struct TCase {
        const char* Name;
        std::string Text; // UTF-8, as the editor sends it
        const char* CodePage;
        std::int32_t Line;
        std::size_t Byte;
        std::int32_t Utf16;
    };
    const std::vector<TCase> cases = {
        {"ascii", "Say(Self, 1, 100);", "windows-1252", 0, 13, 13},
        {"tab is one column", "\tSay(1);", "windows-1252", 0, 1, 1},
        {"after a one-byte letter", "x" + EAcute + "y 100", "windows-1252", 0, 4, 4},
        {"after a two-byte letter", "x" + EAcute + "y 100", "UTF-8", 0, 5, 4},
        {"after a surrogate pair, unencodable", Smiley + " 101", "windows-1252", 0, 2, 3},
        {"after a surrogate pair in UTF-8", Smiley + " 101", "UTF-8", 0, 5, 3},
        {"second line after CR LF", "a\r\n" + EAcute + "b", "windows-1252", 1, 1, 1},
        {"second line after a lone CR", "a\r" + Smiley + "b", "UTF-8", 1, 4, 2},
        {"line end", "ab\r\ncd", "windows-1252", 0, 2, 2},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TTextCodePage codePage(c.CodePage);
        const TEncodedText text = TEncodedText::Encode(c.Text, codePage);
        EXPECT_EQ(text.Utf16Column(c.Line, c.Byte), c.Utf16);
        EXPECT_EQ(text.ByteColumn(c.Line, c.Utf16), c.Byte);
        // The file's bytes read back map the same way.
        const TEncodedText decoded = TEncodedText::Decode(text.Bytes(), codePage);
        if (text.Unencodable().empty()) {
            EXPECT_EQ(decoded.Utf16Column(c.Line, c.Byte), c.Utf16);
        }
    }
}

TEST(PositionMapping, EncodesToTheCodePageAndListsWhatItCannotHold) {
    struct TCase {
        const char* Name;
        std::string Text;
        const char* CodePage;
        std::string Bytes;
        std::vector<TRange> Unencodable;
    };
    const std::vector<TCase> cases = {
        {"windows-1252", "M" + EAcute + "\r\n", "windows-1252", "M\xE9\r\n", {}},
        {"windows-1251 Cyrillic", "\xD0\x94", "windows-1251", "\xC4", {}},
        {"beyond the BMP", "a" + Smiley + "b", "windows-1252", "a?b", {{{0, 1}, {0, 3}}}},
        {"on a later line", "x\n" + Smiley, "windows-1252", "x\n?", {{{1, 0}, {1, 2}}}},
        {"UTF-8 keeps it", Smiley, "UTF-8", Smiley, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TEncodedText text = TEncodedText::Encode(c.Text, TTextCodePage(c.CodePage));
        EXPECT_EQ(text.Bytes(), c.Bytes);
        std::vector<TRange> ranges;
        for (const TUnencodable& character : text.Unencodable()) {
            ranges.push_back(character.Range);
        }
        EXPECT_EQ(ranges, c.Unencodable);
    }
}

TEST(PositionMapping, ColumnsPastTheLineOrInsideACharacter) {
    const TEncodedText text = TEncodedText::Encode("a" + Smiley + "b\r\nx", TTextCodePage("UTF-8"));
    EXPECT_EQ(text.ByteColumn(0, 2), 1u);   // between the halves of the pair: its start
    EXPECT_EQ(text.ByteColumn(0, 99), 6u);  // past the end: the end, before CR LF
    EXPECT_EQ(text.Utf16Column(0, 3), 1);   // inside the UTF-8 bytes: the character's start
    EXPECT_EQ(text.Utf16Column(7, 0), 0);   // a line that is not there
    EXPECT_EQ(text.ByteColumn(-1, 5), 0u);
}

TEST(Documents, AppliesChangesInUtf16Positions) {
    struct TCase {
        const char* Name;
        std::string Text;
        std::optional<TRange> Range; // none: the whole text
        std::string NewText;
        std::string Expected;
    };
    const std::vector<TCase> cases = {
        {"whole text", "abc", std::nullopt, "xyz", "xyz"},
        {"insert", "abc", TRange{{0, 1}, {0, 1}}, "X", "aXbc"},
        {"replace across CR LF", "ab\r\ncd", TRange{{0, 1}, {1, 1}}, "-", "a-d"},
        {"after a surrogate pair", Smiley + "ab", TRange{{0, 2}, {0, 3}}, "", Smiley + "b"},
        {"delete the pair", Smiley + "ab", TRange{{0, 0}, {0, 2}}, "", "ab"},
        {"past the line's end", "ab\ncd", TRange{{0, 9}, {0, 9}}, "!", "ab!\ncd"},
        {"past the last line", "ab", TRange{{5, 0}, {6, 0}}, "!", "ab!"},
        {"end before start", "abcd", TRange{{0, 3}, {0, 1}}, "!", "abc!d"},
        {"lone CR ends a line", "a\rb", TRange{{1, 0}, {1, 1}}, "c", "a\rc"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TDocument document("file:///a.ipp", "/a.ipp", TLanguage::Script, 1, c.Text);
        document.Apply({c.Range, c.NewText});
        EXPECT_EQ(document.Text(), c.Expected);
    }
}

TEST(Uris, FileUrisAndPaths) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases = {
        {"file:///home/a/guard.ipp", "/home/a/guard.ipp"},
        {"file:///home/a%20b/M%C3%BChle.ipp", "/home/a b/M\xC3\xBChle.ipp"},
        {"file://localhost/x.msg", "/x.msg"},
        {"file://server/x.msg", std::nullopt},
        {"untitled:Untitled-1", std::nullopt},
        {"file:///bad%2", std::nullopt},
    };
    for (const auto& [uri, path] : cases) {
        SCOPED_TRACE(uri);
        EXPECT_EQ(PathOfUri(uri), path);
        if (path && uri.find("localhost") == std::string::npos) {
            EXPECT_EQ(PathOfUri(UriOfPath(*path)), path);
        }
    }
}

} // namespace
} // namespace dialoscope::lsp
