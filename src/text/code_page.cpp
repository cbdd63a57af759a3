#include "code_page.h"

#include "detail/converter_text.h"
#include "detail/icu_converter.h"
#include "detail/utf8.h"

#include <algorithm>

namespace dialoscope {

using namespace text_detail;

namespace {

// ICU's character for one byte: one code point, and one that ICU writes back as that very byte.
// A byte ICU reads only one way (a "reverse fallback") counts as undefined, since a text
// holding it could not be written back unchanged.
std::optional<char32_t> RoundTripCharOf(UConverter* converter, unsigned char byte) {
    const char in = static_cast<char>(byte);
    std::array<UChar, 4> units{};
    UErrorCode error = U_ZERO_ERROR;
    const int32_t length =
        ucnv_toUChars(converter, units.data(), static_cast<int32_t>(units.size()), &in, 1, &error);
    if (U_FAILURE(error) || length < 1) {
        return std::nullopt;
    }
    int32_t read = 0;
    UChar32 c = 0;
    U16_NEXT(units.data(), read, length, c);
    if (read != length || U_IS_SURROGATE(c)) {
        return std::nullopt;
    }
    std::array<char, 4> back{};
    error = U_ZERO_ERROR;
    const int32_t backLength = ucnv_fromUChars(
        converter, back.data(), static_cast<int32_t>(back.size()), units.data(), length, &error);
    if (U_FAILURE(error) || backLength != 1 || back[0] != in) {
        return std::nullopt;
    }
    return static_cast<char32_t>(c);
}

std::string DecodeUtf8(std::string_view bytes, std::vector<std::size_t>* undefined) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t start = pos;
        if (NextCodePoint(bytes, pos) >= 0) {
            text.append(bytes.substr(start, pos - start));
            continue;
        }
        if (undefined != nullptr) {
            undefined->push_back(start);
        }
        text += Utf8Replacement;
    }
    return text;
}

TEncodeResult EncodeUtf8(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        if (NextCodePoint(utf8, pos) < 0) {
            return TEncodeResult{{}, TEncodeRefusal{TEncodeFailure::InvalidUtf8, start, 0xFFFD}};
        }
    }
    return TEncodeResult{std::string(utf8), std::nullopt};
}

} // namespace

TTextCodePage::TTextCodePage(std::string_view name) : Name_(name) {
    // ICU opens the machine's default converter for an empty name, and would read a name only
    // up to a NUL: neither is the code page the user named.
    const bool nameable = !Name_.empty() && Name_.find('\0') == std::string::npos;
    const TConverter converter = nameable ? OpenStrictConverter(Name_) : nullptr;
    if (!converter) {
        throw ECodePageError(Name_);
    }
    UErrorCode error = U_ZERO_ERROR;
    IcuName_ = ucnv_getName(converter.get(), &error);
    SingleByte_ = ucnv_getMaxCharSize(converter.get()) == 1;
    Utf8_ = ucnv_getType(converter.get()) == UCNV_UTF8;
    if (SingleByte_) {
        ReadByteTable(converter.get());
    }
}

void TTextCodePage::ReadByteTable(UConverter* converter) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const std::optional<char32_t> c = RoundTripCharOf(converter, byte);
        if (!c) {
            continue;
        }
        ByteChars_[byte] = c;
        std::string utf8;
        AppendUtf8(utf8, static_cast<UChar32>(*c));
        std::copy(utf8.begin(), utf8.end(), ByteUtf8_[byte].begin());
        ByteUtf8Length_[byte] = static_cast<std::uint8_t>(utf8.size());
        CharBytes_.emplace_back(*c, byte);
    }
    std::sort(CharBytes_.begin(), CharBytes_.end());
    // In sorted order the first byte of a character is the lowest, as the search finds it.
    LowCharBytes_.fill(-1);
    for (const auto& [c, byte] : CharBytes_) {
        if (c < LowCharBytes_.size() && LowCharBytes_[c] < 0) {
            LowCharBytes_[c] = byte;
        }
    }
}

std::string TTextCodePage::ToUtf8(std::string_view bytes) const {
    if (SingleByte_) {
        return DecodeSingleByte(bytes, nullptr);
    }
    return Utf8_ ? DecodeUtf8(bytes, nullptr) : DecodeWithConverter(IcuName_, bytes, nullptr);
}

std::string TTextCodePage::ToUtf8(std::string_view bytes,
                                  std::vector<std::size_t>& undefinedOffsets) const {
    undefinedOffsets.clear();
    if (SingleByte_) {
        return DecodeSingleByte(bytes, &undefinedOffsets);
    }
    return Utf8_ ? DecodeUtf8(bytes, &undefinedOffsets)
                 : DecodeWithConverter(IcuName_, bytes, &undefinedOffsets);
}

TEncodeResult TTextCodePage::FromUtf8(std::string_view utf8) const {
    if (SingleByte_) {
        return EncodeSingleByte(utf8);
    }
    return Utf8_ ? EncodeUtf8(utf8) : EncodeWithConverter(IcuName_, utf8);
}

std::optional<std::string> TTextCodePage::WhyNotForMessageFiles() const {
    if (Utf8_) {
        return std::nullopt;
    }
    if (!SingleByte_) {
        return Name_ + " writes characters as several bytes, and a message file is single-byte "
                       "text; choose a single-byte code page (or UTF-8)";
    }
    constexpr std::string_view Syntax = "{}0123456789\r\n ";
    for (const char c : Syntax) {
        if (ByteChars_[static_cast<unsigned char>(c)] != static_cast<char32_t>(c)) {
            return Name_ + " does not write braces, digits and line ends as ASCII, as a message "
                           "file has them";
        }
    }
    return std::nullopt;
}

std::optional<char32_t> TTextCodePage::CharOf(unsigned char byte) const {
    return ByteChars_[byte];
}

std::string TTextCodePage::DecodeSingleByte(std::string_view bytes,
                                            std::vector<std::size_t>* undefined) const {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const std::uint8_t length = ByteUtf8Length_[byte];
        if (length > 0) {
            text.append(ByteUtf8_[byte].data(), length);
            continue;
        }
        if (undefined != nullptr) {
            undefined->push_back(i);
        }
        text += Utf8Replacement;
    }
    return text;
}

TEncodeResult TTextCodePage::EncodeSingleByte(std::string_view utf8) const {
    TEncodeResult result;
    result.Bytes.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const UChar32 c = NextCodePoint(utf8, pos);
        if (c < 0) {
            return TEncodeResult{{}, TEncodeRefusal{TEncodeFailure::InvalidUtf8, start, 0xFFFD}};
        }
        const std::optional<unsigned char> byte = ByteOf(static_cast<char32_t>(c));
        if (!byte) {
            return TEncodeResult{{},
                                 TEncodeRefusal{TEncodeFailure::UnwritableCharacter, start,
                                                static_cast<char32_t>(c)}};
        }
        result.Bytes += static_cast<char>(*byte);
    }
    return result;
}

std::optional<unsigned char> TTextCodePage::ByteOf(char32_t c) const {
    if (c < LowCharBytes_.size()) {
        const std::int16_t byte = LowCharBytes_[c];
        return byte < 0 ? std::nullopt : std::optional<unsigned char>(static_cast<unsigned char>(byte));
    }
    const auto found = std::lower_bound(CharBytes_.begin(), CharBytes_.end(), c,
                                        [](const std::pair<char32_t, unsigned char>& entry,
                                           char32_t key) { return entry.first < key; });
    if (found == CharBytes_.end() || found->first != c) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace dialoscope
