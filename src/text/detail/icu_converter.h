#pragma once
// An ICU converter that stops at every byte or character it cannot map, so that the caller
// sees each one instead of ICU's silent substitute. One converter serves one thread.

#include <unicode/ucnv.h>

#include <memory>
#include <string>

namespace dialoscope::text_detail {

struct TConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using TConverter = std::unique_ptr<UConverter, TConverterCloser>;

// Nothing when ICU has no converter of that name.
inline TConverter OpenStrictConverter(const std::string& name) {
    UErrorCode error = U_ZERO_ERROR;
    TConverter converter(ucnv_open(name.c_str(), &error));
    if (U_FAILURE(error)) {
        return nullptr;
    }
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &error);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &error);
    return U_SUCCESS(error) ? std::move(converter) : nullptr;
}

// The errors a stopping callback reports for one unmappable or malformed place; the last two
// come from code pages that switch character sets by escape sequences (ISO-2022).
inline bool IsUnmappable(UErrorCode error) {
    return error == U_INVALID_CHAR_FOUND || error == U_ILLEGAL_CHAR_FOUND ||
           error == U_TRUNCATED_CHAR_FOUND || error == U_ILLEGAL_ESCAPE_SEQUENCE ||
           error == U_UNSUPPORTED_ESCAPE_SEQUENCE;
}

} // namespace dialoscope::text_detail
