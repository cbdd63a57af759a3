#pragma once
// The in-memory byte stream a scan reads: the bytes of a whole file and a read position.

#include <cstddef>
#include <string>

namespace dialoscope {

struct TMemoryStream {
    std::string Bytes;
    std::size_t Position = 0;

    void Clear() {
        Bytes.clear();
        Position = 0;
    }
    std::size_t Size() const { return Bytes.size(); }
};

} // namespace dialoscope
