// Detecting the single-byte code page of message texts: named only when the detector is sure.

#include "text/charset_detect.h"
#include "text/code_page.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace dialoscope {
namespace {

const char* const German =
    "Der alte M\u00fcller \u00f6ffnete die T\u00fcr und sah \u00fcber den Hof. Die \u00c4pfel "
    "lagen \u00fcberall im nassen Gras, und die K\u00fche standen schweigend am Zaun. \"Gr\u00fc"
    "\u00df Gott\", sagte er leise, \"wir m\u00fcssen heute noch die F\u00e4sser f\u00fcllen, "
    "bevor es dunkel wird.\" Seine Tochter nickte und lief hin\u00fcber zur Scheune.";

const char* const Russian =
    "Старый мельник открыл дверь и посмотрел на двор. Яблоки лежали повсюду в мокрой траве, а "
    "коровы молча стояли у забора. \"Здравствуй\", - тихо сказал он, - \"нам нужно сегодня ещё "
    "наполнить бочки, пока не стемнело\". Его дочь кивнула и побежала к сараю.";

std::string Encode(const char* codePage, const char* utf8) {
    const TEncodeResult result = TTextCodePage(codePage).FromUtf8(utf8);
    EXPECT_TRUE(result.IsEncoded());
    return result.Bytes;
}

TEST(CharsetDetect, NamesTheCodePageOnlyWhenSure) {
    struct TCase {
        const char* Name;
        std::string Bytes;
        std::optional<std::string> Expected;
    };
    const std::vector<TCase> cases = {
        {"German in windows-1252", Encode("windows-1252", German), "windows-1252"},
        {"Russian in windows-1251", Encode("windows-1251", Russian), "windows-1251"},
        {"Russian in KOI8-R", Encode("KOI8-R", Russian), "KOI8-R"},
        {"Russian in UTF-8", Russian, std::nullopt},
        {"plain ASCII", "Hello world, this is plain text that any code page reads alike.",
         std::nullopt},
        {"too short to tell", Encode("windows-1252", "Gr\u00fc\u00df Gott"), std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::optional<TDetectedCodePage> detected = DetectSingleByteCodePage(c.Bytes);
        ASSERT_EQ(detected.has_value(), c.Expected.has_value());
        if (detected) {
            EXPECT_EQ(detected->Name, *c.Expected);
            EXPECT_GE(detected->Confidence, 40);
            EXPECT_LE(detected->Confidence, 100);
            EXPECT_NO_THROW(TTextCodePage{detected->Name});
        }
    }
}

} // namespace
} // namespace dialoscope
