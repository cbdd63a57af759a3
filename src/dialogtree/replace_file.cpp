#include "detail/replace_file.h"

#include "detail/live_temporaries.h"

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
    uid_t Owner = 0;
    gid_t Group = 0;
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
    target.Owner = info.st_uid;
    target.Group = info.st_gid;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target.WritePath = real;
        std::free(real);
    }
    return target;
}

// Removes the temporary file unless the save went through, on an interrupt too: it is known to
// the interrupt handler from before it is created until it is renamed or removed.
class TTemporaryGuard {
public:
    TTemporaryGuard() = default;
    ~TTemporaryGuard() {
        if (!Kept_ && Created_) {
            ::unlink(Path_.c_str());
        }
        ForgetLiveTemporary(Slot_);
    }
    TTemporaryGuard(const TTemporaryGuard&) = delete;
    TTemporaryGuard& operator=(const TTemporaryGuard&) = delete;

    // A temporary file beside the target that only this save uses, created with the permissions
    // a new file of the target's name would get.
    int Create(const TTarget& target, const std::string& path) {
        static std::atomic<unsigned> counter{0};
        for (unsigned tries = 0; tries < 1000; ++tries) {
            Path_ = TemporaryNameFor(target.WritePath, ::getpid(), counter++);
            Slot_ = RegisterLiveTemporary(Path_);
            const int fd = ::open(Path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                Created_ = true;
                return fd;
            }
            ForgetLiveTemporary(Slot_);
            Slot_ = -1;
            if (errno != EEXIST) {
                break;
            }
        }
        throw EFCreateError(path);
    }
    const std::string& Path() const { return Path_; }
    void Keep() { Kept_ = true; }

private:
    std::string Path_;
    int Slot_ = -1;
    bool Created_ = false;
    bool Kept_ = false;
};

// The new file takes the old one's owner, group and mode as far as the process may set them:
// anyone may give a file a group they belong to, only root another owner. Changing the owner
// clears the set-user-ID bit, so the mode comes last. A file system without owners or
// permission bits still takes the new content.
void TakeOwnerAndMode(int fd, const TTarget& target) {
    if (!target.Exists) {
        return;
    }
    if (::fchown(fd, target.Owner, target.Group) != 0) {
        (void)::fchown(fd, static_cast<uid_t>(-1), target.Group);
    }
    (void)::fchmod(fd, target.Mode);
}

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
    RemoveStaleTemporaries(target.WritePath);
    TTemporaryGuard temporary;
    const int fd = temporary.Create(target, path);
    TakeOwnerAndMode(fd, target);
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
    if (std::rename(temporary.Path().c_str(), target.WritePath.c_str()) != 0) {
        throw EFCreateError(path);
    }
    temporary.Keep();
}

void ReplaceFile(const std::string& path, std::string_view bytes) {
    ReplaceFileUsing(path, bytes, &::write);
}

std::uint64_t OtherNamesOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink < 1) {
        return 0;
    }
    return static_cast<std::uint64_t>(info.st_nlink - 1);
}

} // namespace dialoscope
