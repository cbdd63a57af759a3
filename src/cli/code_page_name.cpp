#include "code_page_name.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <cassert>
#include <optional>
#include <stdexcept>

namespace dialoscope {

namespace {

struct TCloseConverter {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using TConverter = std::unique_ptr<UConverter, TCloseConverter>;

TConverter OpenConverter(const std::string& name) {
    UErrorCode error = U_ZERO_ERROR;
    TConverter converter(ucnv_open(name.c_str(), &error));
    return U_SUCCESS(error) ? std::move(converter) : TConverter();
}

// A converter that stops at the first byte sequence it cannot decode.
TConverter OpenStrictConverter(const std::string& name) {
    TConverter converter = OpenConverter(name);
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &error);
    return U_SUCCESS(error) ? std::move(converter) : TConverter();
}

[[noreturn]] void ThrowIcuFailure(UErrorCode error) {
    throw std::runtime_error(std::string("Code page conversion failed: ") + u_errorName(error));
}

// The bytes as UTF-16, or nothing when a strict converter met bytes it cannot decode.
std::optional<std::u16string> ToUtf16(UConverter* converter, std::string_view bytes) {
    ucnv_reset(converter);
    const auto length = static_cast<int32_t>(bytes.size());
    UErrorCode error = U_ZERO_ERROR;
    // Each byte gives at most two UTF-16 units in every code page ICU has.
    std::u16string units(bytes.size() * 2 + 1, u'\0');
    const int32_t written = ucnv_toUChars(
        converter, units.data(), static_cast<int32_t>(units.size()), bytes.data(), length, &error);
    if (error == U_INVALID_CHAR_FOUND || error == U_ILLEGAL_CHAR_FOUND ||
        error == U_TRUNCATED_CHAR_FOUND) {
        return std::nullopt;
    }
    if (U_FAILURE(error)) {
        ThrowIcuFailure(error);
    }
    units.resize(static_cast<std::size_t>(written));
    return units;
}

std::string Utf16ToUtf8(const std::u16string& units) {
    std::string utf8(units.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strToUTF8WithSub(utf8.data(), static_cast<int32_t>(utf8.size()), &length, units.data(),
                       static_cast<int32_t>(units.size()), 0xFFFD, nullptr, &error);
    if (U_FAILURE(error)) {
        ThrowIcuFailure(error);
    }
    utf8.resize(static_cast<std::size_t>(length));
    return utf8;
}

} // namespace

bool IsKnownCodePageName(const std::string& name) {
    // An empty name would open ICU's default converter.
    return name == AutoCodePage || (!name.empty() && OpenConverter(name) != nullptr);
}

struct TTextDecoder::TConverters {
    TConverter Chosen;     // the named code page, or windows-1252 for "auto"
    TConverter StrictUtf8; // "auto" only: tried first
};

TTextDecoder::TTextDecoder(const std::string& name) : Converters_(new TConverters) {
    const bool isAuto = name == AutoCodePage;
    Converters_->Chosen = OpenConverter(isAuto ? "windows-1252" : name);
    assert(Converters_->Chosen && "the command line checks the code page's name");
    if (isAuto) {
        Converters_->StrictUtf8 = OpenStrictConverter("UTF-8");
    }
}

TTextDecoder::~TTextDecoder() = default;

std::string TTextDecoder::ToUtf8(std::string_view bytes) const {
    if (Converters_->StrictUtf8) {
        if (const auto units = ToUtf16(Converters_->StrictUtf8.get(), bytes)) {
            return Utf16ToUtf8(*units);
        }
    }
    // The chosen converter substitutes what it cannot decode, so it always gives a text.
    return Utf16ToUtf8(ToUtf16(Converters_->Chosen.get(), bytes).value_or(u"\uFFFD"));
}

} // namespace dialoscope
