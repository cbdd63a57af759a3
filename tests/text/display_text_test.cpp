// Bytes shown in a text pane: code pages beyond the window's own menu still give every byte
// back, with an escape where the code page has no character to show.

#include "text/display_text.h"

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

TEST(DisplayText, UndefinedBytesShowAsEscapesAndComeBack) {
    struct TCase {
        const char* CodePage;
        std::string Bytes;
        std::u16string Shown;
    };
    const std::vector<TCase> cases = {
        {"windows-1253", "a\xd2\xe1", u"a\uF7D2\u03B1"},
        // A multi-byte code page other than UTF-8 shows its ASCII only.
        {"Shift_JIS", "a\x93\xfa\n", u"a\uF793\uF7FA\n"},
        {"UTF-8", "\xd0\x9f\xff\r\n", u"\u041F\uF7FF\r\n"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.CodePage);
        const TDisplayCodec codec{TTextCodePage(c.CodePage)};
        EXPECT_EQ(codec.Decode(c.Bytes), c.Shown);
        EXPECT_EQ(codec.Encode(c.Shown), c.Bytes);
        EXPECT_EQ(codec.Encode(codec.Decode(AllBytes())), AllBytes());
    }
}

} // namespace
} // namespace dialoscope
