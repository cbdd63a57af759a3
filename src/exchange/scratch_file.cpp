#include "detail/scratch_file.h"

#include "analysis/errors.h"
#include "dialogtree/detail/replace_file.h"
#include "dialogtree/savers.h"

#include <cerrno>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dialoscope {

namespace {

// The whole content of fd, by positioned reads; a failed read is a failed scratch file.
std::string ReadAll(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        throw EWriteError();
    }
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got =
            ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            throw EWriteError();
        }
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

} // namespace

TScratchFile::TScratchFile(const std::string& target) {
    Fd_ = ::memfd_create("dialoscope-scratch", MFD_CLOEXEC);
    if (Fd_ < 0) {
        throw EFCreateError(target);
    }
    Path_ = "/proc/self/fd/" + std::to_string(Fd_);
    // Without /proc the library could not open the path.
    if (::access(Path_.c_str(), W_OK) != 0) {
        ::close(Fd_);
        throw EFCreateError(target);
    }
}

TScratchFile::~TScratchFile() {
    ::close(Fd_);
}

void TScratchFile::Fill(std::string_view bytes) const {
    WriteAllBytes(Fd_, bytes, &::write);
}

void TScratchFile::ReplaceTarget(const std::string& target) const {
    ReplaceFile(target, ReadAll(Fd_));
}

} // namespace dialoscope
