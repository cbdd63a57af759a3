#include "word_difference.h"

#include "detail/utf8.h"

#include <unicode/ubrk.h>
#include <unicode/utext.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace dialoscope {

namespace {

// Beyond this many segment pairs the table of common runs would cost more than the finding is
// worth; such texts are one change.
constexpr std::size_t MaxComparedPairs = 1'000'000;

struct TBreakCloser {
    void operator()(UBreakIterator* iterator) const { ubrk_close(iterator); }
};

// The boundaries of utf8 as UTF-8 offsets, the first (0) and the last (its size) included.
std::vector<std::size_t> WordBoundaries(std::string_view utf8) {
    std::vector<std::size_t> boundaries = {0};
    UErrorCode error = U_ZERO_ERROR;
    std::unique_ptr<UBreakIterator, TBreakCloser> iterator(
        ubrk_open(UBRK_WORD, "", nullptr, 0, &error));
    UText text = UTEXT_INITIALIZER;
    utext_openUTF8(&text, utf8.data(), static_cast<int64_t>(utf8.size()), &error);
    ubrk_setUText(iterator.get(), &text, &error);
    if (U_SUCCESS(error)) {
        ubrk_first(iterator.get());
        for (int32_t at = ubrk_next(iterator.get()); at != UBRK_DONE;
             at = ubrk_next(iterator.get())) {
            boundaries.push_back(static_cast<std::size_t>(at));
        }
    }
    utext_close(&text);
    if (boundaries.back() != utf8.size()) {
        boundaries = {0, utf8.size()};
    }
    return boundaries;
}

// In a single-byte code page the n-th character is the n-th byte: a UTF-8 offset becomes the
// number of characters before it.
std::vector<std::size_t> ByteOffsetsOf(std::string_view utf8,
                                       const std::vector<std::size_t>& boundaries) {
    std::vector<std::size_t> offsets;
    std::size_t pos = 0;
    std::size_t characters = 0;
    for (const std::size_t boundary : boundaries) {
        while (pos < boundary) {
            text_detail::NextCodePoint(utf8, pos);
            ++characters;
        }
        offsets.push_back(characters);
    }
    return offsets;
}

std::vector<std::string_view> SegmentsAt(std::string_view bytes,
                                         const std::vector<std::size_t>& offsets) {
    std::vector<std::string_view> segments;
    for (std::size_t i = 1; i < offsets.size(); ++i) {
        segments.push_back(bytes.substr(offsets[i - 1], offsets[i] - offsets[i - 1]));
    }
    return segments;
}

enum class TStep : std::uint8_t { Same, Removed, Added };

struct TEdit {
    TStep Step;
    std::string_view Segment;
};

// The longest common run of segments, by the classic table of suffix lengths.
std::vector<TEdit> SegmentEdits(const std::vector<std::string_view>& was,
                                const std::vector<std::string_view>& is) {
    const std::size_t n = was.size();
    const std::size_t m = is.size();
    std::vector<std::uint32_t> common((n + 1) * (m + 1), 0);
    const auto at = [m](std::size_t i, std::size_t j) { return i * (m + 1) + j; };
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            common[at(i, j)] = was[i] == is[j]
                                   ? common[at(i + 1, j + 1)] + 1
                                   : std::max(common[at(i + 1, j)], common[at(i, j + 1)]);
        }
    }
    std::vector<TEdit> edits;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && was[i] == is[j]) {
            edits.push_back({TStep::Same, is[j]});
            ++i;
            ++j;
        } else if (j == m || (i < n && common[at(i + 1, j)] >= common[at(i, j + 1)])) {
            edits.push_back({TStep::Removed, was[i++]});
        } else {
            edits.push_back({TStep::Added, is[j++]});
        }
    }
    return edits;
}

std::vector<TEdit> WholeChange(std::string_view was, std::string_view is) {
    return {{TStep::Removed, was}, {TStep::Added, is}};
}

void AppendChange(std::string& out, const std::string& removed, const std::string& added) {
    if (!removed.empty()) {
        out += "[-" + removed + "-]";
    }
    if (!removed.empty() && !added.empty()) {
        out += ' ';
    }
    if (!added.empty()) {
        out += "{+" + added + "+}";
    }
}

std::string MarkedText(const std::vector<TEdit>& edits) {
    std::string out;
    std::string removed;
    std::string added;
    for (const TEdit& edit : edits) {
        if (edit.Step == TStep::Same) {
            AppendChange(out, removed, added);
            removed.clear();
            added.clear();
            out += edit.Segment;
        } else {
            (edit.Step == TStep::Removed ? removed : added) += edit.Segment;
        }
    }
    AppendChange(out, removed, added);
    return out;
}

// The segments of bytes (views into it) between ICU's word boundaries, decoded through the
// code page. A multi-byte code page other than well-formed UTF-8 gives one segment.
std::vector<std::string_view> WordSegments(std::string_view bytes, const TTextCodePage& codePage) {
    if (bytes.empty()) {
        return {};
    }
    const std::string utf8 = codePage.ToUtf8(bytes);
    const std::vector<std::size_t> boundaries = WordBoundaries(utf8);
    if (codePage.IsSingleByte()) {
        return SegmentsAt(bytes, ByteOffsetsOf(utf8, boundaries));
    }
    if (codePage.IsUtf8() && utf8 == bytes) {
        return SegmentsAt(bytes, boundaries);
    }
    return {bytes};
}

// The segment edits that turn was into is; every segment of is is a view into is.
std::vector<TEdit> TextEdits(std::string_view was, std::string_view is,
                             const TTextCodePage& codePage) {
    const std::vector<std::string_view> old = WordSegments(was, codePage);
    const std::vector<std::string_view> now = WordSegments(is, codePage);
    const bool small = old.size() * now.size() <= MaxComparedPairs;
    return small ? SegmentEdits(old, now) : WholeChange(was, is);
}

} // namespace

std::string WordDifference(std::string_view was, std::string_view is,
                           const TTextCodePage& codePage) {
    if (was == is) {
        return std::string(is);
    }
    return MarkedText(TextEdits(was, is, codePage));
}

std::vector<TAddedRun> AddedRuns(std::string_view was, std::string_view is,
                                 const TTextCodePage& codePage) {
    std::vector<TAddedRun> runs;
    if (was == is) {
        return runs;
    }
    for (const TEdit& edit : TextEdits(was, is, codePage)) {
        if (edit.Step != TStep::Added || edit.Segment.empty()) {
            continue;
        }
        const auto offset = static_cast<std::size_t>(edit.Segment.data() - is.data());
        if (!runs.empty() && runs.back().Offset + runs.back().Length == offset) {
            runs.back().Length += edit.Segment.size();
        } else {
            runs.push_back({offset, edit.Segment.size()});
        }
    }
    return runs;
}

} // namespace dialoscope
