#pragma once
// Words and characters of a UTF-8 text, as translators count them: ICU's word boundaries, where
// a word is a segment of letters, digits, kana or ideographs (numbers and words of every
// alphabet count; spaces and punctuation do not), and a character is a Unicode code point.
// The boundaries follow the root locale, so a count is the same on every machine.

#include <cstddef>
#include <memory>
#include <string_view>

// ICU's word break iterator, named here so that the header needs no ICU include.
struct UBreakIterator;

namespace dialoscope {

struct TTextMeasure {
    std::size_t Words = 0;
    std::size_t Characters = 0;

    friend bool operator==(const TTextMeasure&, const TTextMeasure&) = default;
};

// Opening a break iterator costs far more than counting a short text, so a counter keeps one
// for the texts it measures. A counter serves one thread at a time; give each worker its own.
class TWordCounter {
public:
    TWordCounter();
    ~TWordCounter();
    TWordCounter(TWordCounter&&) noexcept;
    TWordCounter& operator=(TWordCounter&&) noexcept;
    TWordCounter(const TWordCounter&) = delete;
    TWordCounter& operator=(const TWordCounter&) = delete;

    // A malformed UTF-8 sequence counts as one character (U+FFFD) and is no word of its own.
    TTextMeasure Measure(std::string_view utf8);

private:
    struct TIteratorCloser {
        void operator()(UBreakIterator* iterator) const;
    };
    std::unique_ptr<UBreakIterator, TIteratorCloser> Iterator_;
};

// One text, with a counter of its own: for a single text; a loop wants a TWordCounter.
TTextMeasure MeasureText(std::string_view utf8);
std::size_t CountWords(std::string_view utf8);

} // namespace dialoscope
