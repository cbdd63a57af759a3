#include "file_bytes.h"

#include "errors.h"

#include <cstdio>
#include <memory>

#include <sys/stat.h>

namespace dialoscope {

namespace {

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The size a regular file reports, so the bytes are read into one block of the right size
// instead of a string that doubles (and copies) itself on the way; 0 when unknown (a folder or
// a device reports sizes that mean nothing).
std::size_t SizeHint(std::FILE* file) {
    struct stat status {};
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0) {
        return 0;
    }
    return static_cast<std::size_t>(status.st_size);
}

} // namespace

std::string ReadFileBytes(const std::string& path) {
    const std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw EFOpenError(path);
    }
    std::string bytes;
    bytes.reserve(SizeHint(file.get()));
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
