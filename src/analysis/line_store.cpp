#include "line_store.h"

#include "file_bytes.h"

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
    const std::size_t size = Bytes_.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = Bytes_[i];
        if (c != '\n' && c != '\r') {
            continue;
        }
        Starts_.push_back(static_cast<std::uint32_t>(start));
        Ends_.push_back(static_cast<std::uint32_t>(i));
        // A CR LF pair ends one line, not two.
        if (c == '\r' && i + 1 < size && Bytes_[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < size) {
        Starts_.push_back(static_cast<std::uint32_t>(start));
        Ends_.push_back(static_cast<std::uint32_t>(size));
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
