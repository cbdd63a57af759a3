#pragma once
// The in-memory byte stream a scan reads: the bytes of a whole file and a read position. The
// bytes are its own, or shared with their other holder (the script's lines) so that a big
// script is held once.

#include <cstddef>
#include <memory>
#include <string>

namespace dialoscope {

struct TMemoryStream {
    std::string Bytes;
    // Read instead of Bytes while Bytes is empty.
    std::shared_ptr<const std::string> SharedBytes;
    std::size_t Position = 0;

    void Clear() {
        Bytes.clear();
        SharedBytes.reset();
        Position = 0;
    }
    const std::string& Data() const { return Bytes.empty() && SharedBytes ? *SharedBytes : Bytes; }
    std::size_t Size() const { return Data().size(); }
};

} // namespace dialoscope
