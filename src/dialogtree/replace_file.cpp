#include "detail/replace_file.h"

#include "savers.h"

#include "analysis/errors.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dialoscope {

namespace {

struct TTarget {
    std::string WritePath; // the file really replaced: a symbolic link is followed
    bool Exists = false;
    mode_t Mode = 0;
};

bool IsReadOnly(const std::string& path, const struct stat& info) {
    // The permission bits count even for a user whom access() would let through (root): a file
    // marked read-only is one the user asked not to be overwritten.
    return (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

TTarget ExamineTarget(const std::string& path) {
    if (path.empty()) {
        throw EFCreateError(path);
    }
    TTarget target;
    target.WritePath = path;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) {
            throw EFCreateError(path);
        }
        return target;
    }
    // Folders, devices and pipes are not files a save may swap for a new one.
    if (!S_ISREG(info.st_mode) || IsReadOnly(path, info)) {
        throw EFCreateError(path);
    }
    target.Exists = true;
    target.Mode = info.st_mode & 07777;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target.WritePath = real;
        std::free(real);
    }
    return target;
}

// "<name>.<pid>-<n>.tmp" beside the target, the name shortened so that the temporary name stays
// within the usual 255-byte limit of a file name.
std::string TemporaryName(const std::string& writePath, unsigned attempt) {
    const std::size_t slash = writePath.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string name = writePath.substr(nameStart);
    constexpr std::size_t MaxKeptName = 200;
    if (name.size() > MaxKeptName) {
        name.resize(MaxKeptName);
    }
    return writePath.substr(0, nameStart) + "." + name + "." + std::to_string(::getpid()) + "-" +
           std::to_string(attempt) + ".tmp";
}

// A temporary file beside the target that only this save uses, created with the permissions a
// new file of the target's name would get.
int CreateTemporary(const TTarget& target, const std::string& path, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    for (unsigned tries = 0; tries < 1000; ++tries) {
        tempPath = TemporaryName(target.WritePath, counter++);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            return fd;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    throw EFCreateError(path);
}

// Removes the temporary file unless the save went through.
class TTemporaryGuard {
public:
    explicit TTemporaryGuard(const std::string& tempPath) : Path_(tempPath) {}
    ~TTemporaryGuard() {
        if (!Kept_) {
            ::unlink(Path_.c_str());
        }
    }
    TTemporaryGuard(const TTemporaryGuard&) = delete;
    TTemporaryGuard& operator=(const TTemporaryGuard&) = delete;
    void Keep() { Kept_ = true; }

private:
    const std::string& Path_;
    bool Kept_ = false;
};

} // namespace

void WriteAllBytes(int fd, std::string_view bytes, TWriteCall writeCall) {
    while (!bytes.empty()) {
        const ssize_t written = writeCall(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            // A write that takes nothing and sets no error means the device is full.
            throw EWriteError({}, written < 0 ? errno : ENOSPC);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void ReplaceFileUsing(const std::string& path, std::string_view bytes, TWriteCall writeCall) {
    const TTarget target = ExamineTarget(path);
    std::string tempPath;
    const int fd = CreateTemporary(target, path, tempPath);
    TTemporaryGuard guard(tempPath);
    if (target.Exists) {
        // Best effort: a file system without permission bits still takes the new content.
        (void)::fchmod(fd, target.Mode);
    }
    try {
        WriteAllBytes(fd, bytes, writeCall);
    } catch (EWriteError& error) {
        ::close(fd);
        error.Path = path;
        throw;
    } catch (...) {
        ::close(fd);
        throw;
    }
    // Some file systems report a failed write only when the file is closed.
    if (::close(fd) != 0) {
        throw EWriteError(path, errno);
    }
    if (std::rename(tempPath.c_str(), target.WritePath.c_str()) != 0) {
        throw EFCreateError(path);
    }
    guard.Keep();
}

void ReplaceFile(const std::string& path, std::string_view bytes) {
    ReplaceFileUsing(path, bytes, &::write);
}

} // namespace dialoscope
