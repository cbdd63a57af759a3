#include "file_bytes.h"

#include "errors.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

using TFile = std::unique_ptr<std::FILE, TFileCloser>;

// A pipe, a device or a socket: reading it could wait for ever, and a second read would not
// see the same bytes. A folder is not one of them: it opens, and its read fails as ever.
bool IsStreamNotFile(mode_t mode) {
    return S_ISFIFO(mode) || S_ISCHR(mode) || S_ISBLK(mode) || S_ISSOCK(mode);
}

// Opened without waiting for a pipe's writer, so a pipe is refused instead of hanging.
TFile OpenForReading(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        throw EFOpenError(path);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || IsStreamNotFile(status.st_mode)) {
        ::close(fd);
        throw ENotRegularFileError(path);
    }
    (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    TFile file(::fdopen(fd, "rb"));
    if (!file) {
        ::close(fd);
        throw EFOpenError(path);
    }
    return file;
}

// A folder opens on Linux but every read fails (EISDIR): treat it as unopenable.
void ThrowOnReadError(std::FILE* file, const std::string& path) {
    if (std::ferror(file)) {
        throw EFOpenError(path);
    }
}

// Appends the rest of the file to bytes.
void ReadRest(std::FILE* file, std::string& bytes) {
    char chunk[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        bytes.append(chunk, got);
        if (got < sizeof chunk) {
            return;
        }
    }
}

// Whether the file's bytes from `at` on begin with expected, read by positioned reads, which
// leave the file's position alone and may run on two threads at once.
bool BeginsWithAt(int descriptor, std::string_view expected, std::size_t at) {
    char chunk[1 << 16];
    while (!expected.empty()) {
        const std::size_t want = std::min(expected.size(), sizeof chunk);
        const ssize_t got = ::pread(descriptor, chunk, want, static_cast<off_t>(at));
        if (got <= 0 || expected.substr(0, static_cast<std::size_t>(got)) !=
                            std::string_view(chunk, static_cast<std::size_t>(got))) {
            return false;
        }
        expected.remove_prefix(static_cast<std::size_t>(got));
        at += static_cast<std::size_t>(got);
    }
    return true;
}

bool EndsAt(int descriptor, std::size_t at) {
    char byte = 0;
    return ::pread(descriptor, &byte, 1, static_cast<off_t>(at)) == 0;
}

} // namespace

bool FileHoldsAt(const std::string& path, std::string_view part, std::size_t at, TFileEnd end) {
    const TFile file = OpenForReading(path);
    const int descriptor = fileno(file.get());
    return BeginsWithAt(descriptor, part, at) &&
           (end == TFileEnd::Anywhere || EndsAt(descriptor, at + part.size()));
}

std::string ReadFileBytes(const std::string& path) {
    const TFile file = OpenForReading(path);
    std::string bytes;
    bytes.reserve(SizeHint(file.get()));
    ReadRest(file.get(), bytes);
    ThrowOnReadError(file.get(), path);
    return bytes;
}

// Compares chunk by chunk, so a big script read a second time costs no second block of fresh
// memory and no copy; only a file that changed in between is copied, from where it differs.
TReread RereadFileBytes(const std::string& path, std::string_view known) {
    const TFile file = OpenForReading(path);
    TReread reread;
    char chunk[1 << 16];
    std::size_t matched = 0;
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        const std::string_view read(chunk, got);
        if (known.substr(matched, got) != read) {
            reread.Bytes.reserve(std::max(SizeHint(file.get()), matched + got));
            reread.Bytes.append(known.substr(0, matched));
            reread.Bytes.append(read);
            if (got == sizeof chunk) {
                ReadRest(file.get(), reread.Bytes);
            }
            break;
        }
        matched += got;
        if (got < sizeof chunk) {
            reread.Same = matched == known.size();
            if (!reread.Same) {
                reread.Bytes = std::string(known.substr(0, matched)); // the file got shorter
            }
            break;
        }
    }
    ThrowOnReadError(file.get(), path);
    return reread;
}

} // namespace dialoscope
