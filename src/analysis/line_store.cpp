#include "line_store.h"

#include "file_bytes.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace dialoscope {

void TLineStore::LoadFromFile(const std::string& path) {
    SetText(ReadFileBytes(path));
}

void TLineStore::SetText(std::string text) {
    // Offsets are 32-bit to keep the line table small; larger texts are refused, not cut.
    if (text.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("text too large");
    }
    Bytes_ = std::move(text);
    SplitLines();
}

void TLineStore::Clear() {
    Bytes_.clear();
    Starts_.clear();
    Ends_.clear();
}

void TLineStore::SplitLines() {
    Starts_.clear();
    Ends_.clear();
    const char* const begin = Bytes_.data();
    const char* const end = begin + Bytes_.size();
    const char* start = begin;
    // Lines end at an LF or a CR; memchr finds the next of each far faster than a byte loop,
    // and the next CR is looked for again only once the line ends have passed it.
    const char* nextLf = static_cast<const char*>(std::memchr(start, '\n', Bytes_.size()));
    const char* nextCr = static_cast<const char*>(std::memchr(start, '\r', Bytes_.size()));
    while (nextLf != nullptr || nextCr != nullptr) {
        const char* lineEnd =
            nextCr != nullptr && (nextLf == nullptr || nextCr < nextLf) ? nextCr : nextLf;
        Starts_.push_back(static_cast<std::uint32_t>(start - begin));
        Ends_.push_back(static_cast<std::uint32_t>(lineEnd - begin));
        // A CR LF pair ends one line, not two.
        start = lineEnd + (*lineEnd == '\r' && lineEnd + 1 == nextLf ? 2 : 1);
        const auto left = static_cast<std::size_t>(end - start);
        if (nextLf != nullptr && nextLf < start) {
            nextLf = static_cast<const char*>(std::memchr(start, '\n', left));
        }
        if (nextCr != nullptr && nextCr < start) {
            nextCr = static_cast<const char*>(std::memchr(start, '\r', left));
        }
    }
    if (start < end) {
        Starts_.push_back(static_cast<std::uint32_t>(start - begin));
        Ends_.push_back(static_cast<std::uint32_t>(end - begin));
    }
}

std::string_view TLineStore::Line(std::int32_t index) const {
    const auto i = static_cast<std::size_t>(index);
    return std::string_view(Bytes_).substr(Starts_[i], Ends_[i] - Starts_[i]);
}

std::string TLineStore::Text() const {
    std::string text;
    text.reserve(Bytes_.size() + 2 * Starts_.size());
    for (std::int32_t i = 0; i < Count(); ++i) {
        text += Line(i);
        text += "\r\n";
    }
    return text;
}

} // namespace dialoscope
