#include "file_bytes.h"

#include "errors.h"

#include <cstdio>
#include <memory>

namespace dialoscope {

namespace {

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::string ReadFileBytes(const std::string& path) {
    const std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw EFOpenError(path);
    }
    std::string bytes;
    char chunk[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.append(chunk, got);
        if (got < sizeof chunk) {
            break;
        }
    }
    // A folder opens on Linux but every read fails (EISDIR): treat it as unopenable.
    if (std::ferror(file.get())) {
        throw EFOpenError(path);
    }
    return bytes;
}

} // namespace dialoscope
