#include "word_count.h"

#include "detail/utf8.h"

#include <unicode/ubrk.h>
#include <unicode/utext.h>

#include <stdexcept>
#include <string>

namespace dialoscope {

namespace {

// The root locale: word boundaries must not depend on the machine's language settings.
constexpr const char* BoundaryLocale = "";

std::size_t CountCodePoints(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count) {
        text_detail::NextCodePoint(utf8, pos);
    }
    return count;
}

// The segments ending at each boundary after the first whose rule status says they hold
// letters, digits, kana or ideographs.
std::size_t CountWordSegments(UBreakIterator* iterator) {
    std::size_t words = 0;
    ubrk_first(iterator);
    while (ubrk_next(iterator) != UBRK_DONE) {
        if (ubrk_getRuleStatus(iterator) != UBRK_WORD_NONE) {
            ++words;
        }
    }
    return words;
}

[[noreturn]] void ThrowIcuFailure(const char* what, UErrorCode error) {
    throw std::runtime_error(std::string(what) + ": " + u_errorName(error));
}

} // namespace

void TWordCounter::TIteratorCloser::operator()(UBreakIterator* iterator) const {
    ubrk_close(iterator);
}

TWordCounter::TWordCounter() {
    UErrorCode error = U_ZERO_ERROR;
    Iterator_.reset(ubrk_open(UBRK_WORD, BoundaryLocale, nullptr, 0, &error));
    if (U_FAILURE(error)) {
        ThrowIcuFailure("Cannot open the word break iterator", error);
    }
}

TWordCounter::~TWordCounter() = default;
TWordCounter::TWordCounter(TWordCounter&&) noexcept = default;
TWordCounter& TWordCounter::operator=(TWordCounter&&) noexcept = default;

TTextMeasure TWordCounter::Measure(std::string_view utf8) {
    TTextMeasure measure;
    measure.Characters = CountCodePoints(utf8);
    if (utf8.empty()) {
        return measure;
    }
    // ICU reads the UTF-8 in place; no UTF-16 copy of the text is made.
    UErrorCode error = U_ZERO_ERROR;
    UText text = UTEXT_INITIALIZER;
    utext_openUTF8(&text, utf8.data(), static_cast<int64_t>(utf8.size()), &error);
    ubrk_setUText(Iterator_.get(), &text, &error);
    if (U_FAILURE(error)) {
        utext_close(&text);
        ThrowIcuFailure("Cannot count words", error);
    }
    measure.Words = CountWordSegments(Iterator_.get());
    utext_close(&text);
    return measure;
}

TTextMeasure MeasureText(std::string_view utf8) {
    return TWordCounter().Measure(utf8);
}

std::size_t CountWords(std::string_view utf8) {
    return MeasureText(utf8).Words;
}

} // namespace dialoscope
