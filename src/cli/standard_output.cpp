#include "standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace dialoscope {

namespace {

// The first failure's errno, 0 while every write went through. The process writes its standard
// output once, so this one value is the state of that one stream.
int FirstFailure = 0;
bool FailureSaid = false;

void Remember(int error) {
    if (FirstFailure == 0) {
        // A failed write that sets no errno still failed.
        FirstFailure = error != 0 ? error : EIO;
    }
}

void SayFailure() {
    if (FirstFailure == 0 || FailureSaid) {
        return;
    }
    FailureSaid = true;
    std::fprintf(stderr, "dialoscope-cli: cannot write the output: %s\n",
                 std::strerror(FirstFailure));
}

} // namespace

void WriteStandardOutput(std::string_view bytes) {
    if (FirstFailure != 0 || bytes.empty()) {
        return;
    }
    errno = 0;
    if (fwrite_unlocked(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
        Remember(errno);
    }
}

void WriteStandardOutputLine(std::string_view line) {
    WriteStandardOutput(line);
    if (FirstFailure != 0) {
        return;
    }
    // Two bytes go straight into the stream's buffer, without a call per byte.
    errno = 0;
    if (putc_unlocked('\r', stdout) == EOF || putc_unlocked('\n', stdout) == EOF) {
        Remember(errno);
    }
}

bool FlushStandardOutput() {
    if (FirstFailure == 0) {
        errno = 0;
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            Remember(errno);
        }
    }
    SayFailure();
    return FirstFailure == 0;
}

int FinishStandardOutput(int status) {
    FlushStandardOutput();
    // A standard output that was closed before the program started is no failure when nothing
    // was written to it.
    errno = 0;
    if (std::fclose(stdout) != 0 && errno != EBADF) {
        Remember(errno);
    }
    SayFailure();
    const bool errorLost = std::ferror(stderr) != 0 || std::fflush(stderr) != 0;
    return FirstFailure != 0 || errorLost ? 1 : status;
}

} // namespace dialoscope
