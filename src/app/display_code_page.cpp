#include "display_code_page.h"

#include <unicode/ucnv.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <vector>

namespace dialoscope {

namespace {

struct TCodePageInfo {
    TDisplayCodePage Page;
    const char* Caption;
    const char* IcuName;
};

constexpr std::array<TCodePageInfo, 8> CodePageInfos{{
    {TDisplayCodePage::Windows1250, "Windows-1250", "windows-1250"},
    {TDisplayCodePage::Windows1251, "Windows-1251", "windows-1251"},
    {TDisplayCodePage::Windows1252, "Windows-1252", "windows-1252"},
    {TDisplayCodePage::Ibm437, "IBM437", "ibm-437"},
    {TDisplayCodePage::Ibm850, "IBM850", "ibm-850"},
    {TDisplayCodePage::Ibm866, "IBM866", "ibm-866"},
    {TDisplayCodePage::Koi8R, "KOI8-R", "KOI8-R"},
    {TDisplayCodePage::Utf8, "UTF-8", "UTF-8"},
}};

constexpr std::array<TDisplayCodePage, 8> CodePageOrder{
    TDisplayCodePage::Windows1250, TDisplayCodePage::Windows1251, TDisplayCodePage::Windows1252,
    TDisplayCodePage::Ibm437,      TDisplayCodePage::Ibm850,      TDisplayCodePage::Ibm866,
    TDisplayCodePage::Koi8R,       TDisplayCodePage::Utf8,
};

static_assert(CodePageInfos.size() == CodePageOrder.size());

const TCodePageInfo& InfoOf(TDisplayCodePage page) {
    return CodePageInfos[static_cast<std::size_t>(page)];
}

constexpr char16_t Unwritable = u'?';

char16_t EscapeOf(unsigned char byte) {
    return static_cast<char16_t>(EscapeBase + byte);
}

bool IsEscape(char32_t c) {
    return c >= EscapeBase && c <= EscapeBase + 0xFF;
}

// Characters the text pane turns into a line or paragraph break (or a frame mark) when they are
// inserted: shown as themselves they would split one pane line into two and Save would then
// write a line break the input did not hold.
bool BreaksPaneLine(char32_t c) {
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1;
}

// A single-byte code page as ICU maps it, byte by byte, both ways. Filled from ICU once, so that
// decoding a listing of many megabytes costs one lookup per byte.
struct TByteTable {
    std::array<char16_t, 256> ToText{};
    std::vector<std::int16_t> FromText = std::vector<std::int16_t>(0x10000, -1);
};

// ICU's character for one byte, or 0xFFFF when it has none that can show the byte.
char16_t IcuCharOf(UConverter* converter, unsigned char byte) {
    if (converter == nullptr) {
        return 0xFFFF;
    }
    const char in = static_cast<char>(byte);
    std::array<UChar, 4> out{};
    UErrorCode error = U_ZERO_ERROR;
    const int32_t length =
        ucnv_toUChars(converter, out.data(), static_cast<int32_t>(out.size()), &in, 1, &error);
    if (U_FAILURE(error) || length != 1) {
        return 0xFFFF;
    }
    return out[0];
}

std::unique_ptr<TByteTable> BuildByteTable(TDisplayCodePage page) {
    auto table = std::make_unique<TByteTable>();
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(InfoOf(page).IcuName, &error);
    if (U_FAILURE(error)) {
        converter = nullptr;
    } else {
        ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    }
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        char16_t c = IcuCharOf(converter, byte);
        // A line break may only stand for itself; a character already taken by another byte
        // would not say which byte to write back.
        const bool usable = c != 0xFFFF && !IsEscape(c) && table->FromText[c] < 0 &&
                            (!BreaksPaneLine(c) || c == byte);
        if (!usable) {
            c = EscapeOf(byte);
        }
        table->ToText[byte] = c;
        table->FromText[c] = static_cast<std::int16_t>(byte);
    }
    for (int b = 0; b < 256; ++b) {
        table->FromText[EscapeOf(static_cast<unsigned char>(b))] = static_cast<std::int16_t>(b);
    }
    if (converter != nullptr) {
        ucnv_close(converter);
    }
    return table;
}

const TByteTable& ByteTableOf(TDisplayCodePage page) {
    static std::array<std::once_flag, CodePageInfos.size()> built;
    static std::array<std::unique_ptr<TByteTable>, CodePageInfos.size()> tables;
    const auto at = static_cast<std::size_t>(page);
    std::call_once(built[at], [&] { tables[at] = BuildByteTable(page); });
    return *tables[at];
}

QString DecodeSingleByte(std::string_view bytes, const TByteTable& table) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        *out++ = QChar(table.ToText[static_cast<unsigned char>(byte)]);
    }
    return text;
}

std::string EncodeSingleByte(QStringView text, const TByteTable& table) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const std::int16_t byte = table.FromText[c];
        if (byte >= 0) {
            bytes += static_cast<char>(byte);
            continue;
        }
        // A character outside the basic plane is one character typed, one '?' written.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        }
        bytes += static_cast<char>(Unwritable);
    }
    return bytes;
}

void AppendEscapes(const unsigned char* from, int32_t count, QChar*& out) {
    for (int32_t k = 0; k < count; ++k) {
        *out++ = QChar(EscapeOf(from[k]));
    }
}

QString DecodeUtf8(std::string_view bytes) {
    // UTF-16 never needs more units than UTF-8 has bytes, and an escape takes one unit per byte.
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* const start = text.data();
    QChar* out = start;
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t pos = 0;
    while (pos < size) {
        if (s[pos] < 0x80) {
            *out++ = QChar(static_cast<char16_t>(s[pos++]));
            continue;
        }
        // A sequence is at most four bytes long; offsets stay small whatever the input's size.
        const auto window = static_cast<int32_t>(std::min<std::size_t>(size - pos, 4));
        int32_t used = 0;
        UChar32 c = 0;
        U8_NEXT(s + pos, used, window, c);
        // A real private-use character of the escape range is written as escapes too, so that
        // every escape in the text stands for a byte.
        if (c < 0 || IsEscape(static_cast<char32_t>(c)) ||
            BreaksPaneLine(static_cast<char32_t>(c))) {
            AppendEscapes(s + pos, used, out);
        } else if (U_IS_BMP(c)) {
            *out++ = QChar(static_cast<char16_t>(c));
        } else {
            *out++ = QChar(static_cast<char16_t>(U16_LEAD(c)));
            *out++ = QChar(static_cast<char16_t>(U16_TRAIL(c)));
        }
        pos += static_cast<std::size_t>(used);
    }
    text.truncate(out - start);
    return text;
}

void AppendUtf8(std::string& bytes, UChar32 c) {
    std::array<uint8_t, U8_MAX_LENGTH> buffer{};
    int32_t length = 0;
    U8_APPEND_UNSAFE(buffer.data(), length, c);
    bytes.append(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(length));
}

std::string EncodeUtf8(QStringView text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (IsEscape(c)) {
            bytes += static_cast<char>(c - EscapeBase);
        } else if (!QChar::isSurrogate(c)) {
            AppendUtf8(bytes, c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   text[i + 1].isLowSurrogate()) {
            AppendUtf8(bytes, QChar::surrogateToUcs4(c, text[i + 1].unicode()));
            ++i;
        } else {
            bytes += static_cast<char>(Unwritable);
        }
    }
    return bytes;
}

} // namespace

std::span<const TDisplayCodePage> AllCodePages() {
    return CodePageOrder;
}

QString CodePageCaption(TDisplayCodePage page) {
    return QString::fromLatin1(InfoOf(page).Caption);
}

QString DecodeBytes(std::string_view bytes, TDisplayCodePage page) {
    if (page == TDisplayCodePage::Utf8) {
        return DecodeUtf8(bytes);
    }
    return DecodeSingleByte(bytes, ByteTableOf(page));
}

std::string EncodeText(QStringView text, TDisplayCodePage page) {
    if (page == TDisplayCodePage::Utf8) {
        return EncodeUtf8(text);
    }
    return EncodeSingleByte(text, ByteTableOf(page));
}

} // namespace dialoscope
