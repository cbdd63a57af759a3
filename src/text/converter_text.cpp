#include "detail/converter_text.h"

#include "detail/icu_converter.h"
#include "detail/utf8.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace dialoscope::text_detail {

namespace {

constexpr std::size_t ChunkSize = 4096;

TConverter OpenOrThrow(const std::string& icuName) {
    TConverter converter = OpenStrictConverter(icuName);
    if (!converter) {
        throw ECodePageError(icuName);
    }
    return converter;
}

// Out of memory and the like: nothing a text can cause, but never a silently shortened text.
[[noreturn]] void ThrowIcuFailure(UErrorCode error) {
    throw std::runtime_error(std::string("Code page conversion failed: ") + u_errorName(error));
}

// The text as UTF-16 and, for each unit, the offset in the UTF-8 text where its character
// starts; or the first malformed place.
struct TUtf16Text {
    std::u16string Units;
    std::vector<std::size_t> UnitOffsets;
    std::optional<TEncodeRefusal> Refusal;
};

TUtf16Text ToUtf16(std::string_view utf8) {
    TUtf16Text text;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const UChar32 c = NextCodePoint(utf8, pos);
        if (c < 0) {
            text.Refusal = TEncodeRefusal{TEncodeFailure::InvalidUtf8, start, 0xFFFD};
            return text;
        }
        std::array<UChar, 2> units{};
        int32_t length = 0;
        U16_APPEND_UNSAFE(units.data(), length, c);
        text.Units.append(units.data(), static_cast<std::size_t>(length));
        text.UnitOffsets.insert(text.UnitOffsets.end(), static_cast<std::size_t>(length), start);
    }
    return text;
}

// Where the bytes the converter stopped at begin: they end where it stopped. Kept after the
// previous stop, so the offsets of one text always ascend, whatever a converter of a stateful
// code page says of its own input.
std::size_t UndefinedOffset(UConverter* converter, std::size_t from, std::size_t end) {
    std::array<char, 32> invalid{};
    auto invalidLength = static_cast<int8_t>(invalid.size());
    UErrorCode ignored = U_ZERO_ERROR;
    ucnv_getInvalidChars(converter, invalid.data(), &invalidLength, &ignored);
    const auto length = static_cast<std::size_t>(std::max<int8_t>(invalidLength, 1));
    const std::size_t start = end > length ? end - length : 0;
    return std::clamp(start, from, std::max(from, end - (end > from ? 1 : 0)));
}

TEncodeRefusal UnwritableAt(const TUtf16Text& text, std::size_t unit) {
    unit = std::min(unit, text.Units.size() - 1);
    UChar32 c = 0;
    U16_GET(text.Units.data(), 0, unit, text.Units.size(), c);
    return TEncodeRefusal{TEncodeFailure::UnwritableCharacter, text.UnitOffsets[unit],
                          static_cast<char32_t>(c)};
}

} // namespace

std::string DecodeWithConverter(const std::string& icuName, std::string_view bytes,
                                std::vector<std::size_t>* undefined) {
    TConverter converter = OpenOrThrow(icuName);
    std::u16string units;
    std::array<UChar, ChunkSize> buffer{};
    const char* const begin = bytes.data();
    const char* source = begin;
    const char* const limit = begin + bytes.size();
    std::size_t afterLastStop = 0;
    for (;;) {
        const char* const readFrom = source;
        UChar* target = buffer.data();
        UErrorCode error = U_ZERO_ERROR;
        ucnv_toUnicode(converter.get(), &target, buffer.data() + buffer.size(), &source, limit,
                       nullptr, true, &error);
        units.append(buffer.data(), static_cast<std::size_t>(target - buffer.data()));
        if (error == U_BUFFER_OVERFLOW_ERROR) {
            continue;
        }
        if (U_SUCCESS(error)) {
            break;
        }
        if (!IsUnmappable(error)) {
            ThrowIcuFailure(error);
        }
        // A converter that stopped without reading on would stop there for ever: the byte it
        // stopped at is undefined and is stepped over.
        const bool stuck = source == readFrom;
        if (stuck && source == limit) {
            break;
        }
        const auto stoppedAt = static_cast<std::size_t>(source - begin);
        if (undefined != nullptr) {
            undefined->push_back(UndefinedOffset(converter.get(), afterLastStop, stoppedAt));
        }
        units += u'\uFFFD';
        afterLastStop = stoppedAt;
        if (stuck) {
            ++source;
            ++afterLastStop;
            ucnv_resetToUnicode(converter.get());
        }
    }
    std::string text;
    text.reserve(units.size());
    AppendUtf16AsUtf8(text, units);
    return text;
}

TEncodeResult EncodeWithConverter(const std::string& icuName, std::string_view utf8) {
    const TUtf16Text text = ToUtf16(utf8);
    if (text.Refusal) {
        return TEncodeResult{{}, text.Refusal};
    }
    TConverter converter = OpenOrThrow(icuName);
    TEncodeResult result;
    std::array<char, ChunkSize> buffer{};
    const UChar* const begin = text.Units.data();
    const UChar* source = begin;
    const UChar* const limit = begin + text.Units.size();
    for (;;) {
        char* target = buffer.data();
        UErrorCode error = U_ZERO_ERROR;
        ucnv_fromUnicode(converter.get(), &target, buffer.data() + buffer.size(), &source, limit,
                         nullptr, true, &error);
        result.Bytes.append(buffer.data(), static_cast<std::size_t>(target - buffer.data()));
        if (error == U_BUFFER_OVERFLOW_ERROR) {
            continue;
        }
        if (U_SUCCESS(error)) {
            return result;
        }
        if (!IsUnmappable(error)) {
            ThrowIcuFailure(error);
        }
        std::array<UChar, 8> invalid{};
        auto invalidLength = static_cast<int8_t>(invalid.size());
        UErrorCode ignored = U_ZERO_ERROR;
        ucnv_getInvalidUChars(converter.get(), invalid.data(), &invalidLength, &ignored);
        const auto stoppedAt = static_cast<std::size_t>(source - begin);
        const auto length = static_cast<std::size_t>(std::max<int8_t>(invalidLength, 1));
        const std::size_t unit = stoppedAt > length ? stoppedAt - length : 0;
        return TEncodeResult{{}, UnwritableAt(text, unit)};
    }
}

} // namespace dialoscope::text_detail
