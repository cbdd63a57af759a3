#include "line_store.h"

#include "file_bytes.h"

#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dialoscope {

void TLineStore::LoadFromFile(const std::string& path) {
    SetText(ReadFileBytes(path));
}

void TLineStore::SetText(std::string text) {
    // Offsets are 32-bit to keep the line table small; larger texts are refused, not cut.
    if (text.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("text too large");
    }
    auto data = std::make_shared<TData>();
    data->Bytes = std::move(text);
    Data_ = std::move(data);
}

void TLineStore::Clear() {
    Data_.reset();
}

const TLineStore::TLines& TLineStore::Split() const {
    TData& data = *Data_;
    // The flag spares every later line the cost of call_once.
    if (!data.Ready.load(std::memory_order_acquire)) {
        std::call_once(data.Found, [&data] {
            SplitLines(data.Bytes, data.Lines);
            data.Ready.store(true, std::memory_order_release);
        });
    }
    return data.Lines;
}

namespace {

// The first CR or LF from p on, or end. Sixteen bytes are tested at once where the machine
// offers it: a message file's lines are long, and one pass for both bytes beats a search for
// each.
const char* NextLineEnd(const char* p, const char* const end) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto ends = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
        if (ends != 0) {
            return p + std::countr_zero(ends);
        }
    }
#endif
    while (p < end && *p != '\r' && *p != '\n') {
        ++p;
    }
    return p;
}

} // namespace

void TLineStore::SplitLines(const std::string& bytes, TLines& lines) {
    std::vector<std::uint32_t>& starts = lines.Starts;
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* start = begin;
    for (const char* lineEnd = NextLineEnd(start, end); lineEnd != end;
         lineEnd = NextLineEnd(start, end)) {
        starts.push_back(static_cast<std::uint32_t>(start - begin));
        lines.LastEnd = static_cast<std::uint32_t>(lineEnd - begin);
        // A CR LF pair ends one line, not two.
        const bool pair = *lineEnd == '\r' && end - lineEnd >= 2 && lineEnd[1] == '\n';
        start = lineEnd + (pair ? 2 : 1);
    }
    if (start < end) {
        starts.push_back(static_cast<std::uint32_t>(start - begin));
        lines.LastEnd = static_cast<std::uint32_t>(end - begin);
    }
}

std::string_view TLineStore::Line(std::int32_t index) const {
    const auto i = static_cast<std::size_t>(index);
    const std::string& bytes = Data_->Bytes;
    const TLines& lines = Split();
    const std::uint32_t start = lines.Starts[i];
    std::uint32_t end = lines.LastEnd;
    if (i + 1 < lines.Starts.size()) {
        // A CR LF pair always ends one line together, so a line start after CR LF follows a
        // two-byte line end, and any other start a one-byte one.
        end = lines.Starts[i + 1];
        end -= (end >= 2 && bytes[end - 2] == '\r' && bytes[end - 1] == '\n') ? 2 : 1;
    }
    return std::string_view(bytes).substr(start, end - start);
}

std::shared_ptr<const std::string> TLineStore::SharedBytes() const {
    if (!Data_) {
        return std::make_shared<const std::string>();
    }
    return {Data_, &Data_->Bytes}; // owns the whole store, points at its bytes
}

std::string TLineStore::Text() const {
    std::string text;
    if (Data_) {
        text.reserve(Data_->Bytes.size() + 2 * Split().Starts.size());
    }
    for (std::int32_t i = 0; i < Count(); ++i) {
        text += Line(i);
        text += "\r\n";
    }
    return text;
}

} // namespace dialoscope
