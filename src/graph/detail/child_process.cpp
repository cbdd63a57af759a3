#include "child_process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dialoscope::graph_detail {

namespace {

constexpr int PollMilliseconds = 25;

// In the child: the answer, then an exit that runs no destructor and no atexit handler of the
// parent's program.
[[noreturn]] void AnswerAndExit(int fd, const std::function<std::string()>& work) {
    int status = 3;
    try {
        const std::string answer = work();
        std::size_t written = 0;
        while (written < answer.size()) {
            const ssize_t n = ::write(fd, answer.data() + written, answer.size() - written);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                ::_exit(4);
            }
            written += static_cast<std::size_t>(n);
        }
        status = 0;
    } catch (...) {
        status = 2;
    }
    ::_exit(status);
}

// In the child: a parent killed while the child works (a layout may take minutes and gigabytes)
// takes the child with it, rather than leaving it to run on alone. The thread that forked waits
// for the child until it ends, so its end is the parent's.
void DieWithParent(pid_t parent) {
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent) {
        ::_exit(5); // no way to follow the parent, or it was already gone
    }
}

class TChildWait {
public:
    TChildWait(pid_t child, int fd) : Child_(child), Fd_(fd) {}
    ~TChildWait() {
        if (Fd_ >= 0) {
            ::close(Fd_);
        }
        if (Child_ > 0) {
            ::kill(Child_, SIGKILL);
            Reap();
        }
    }
    TChildWait(const TChildWait&) = delete;
    TChildWait& operator=(const TChildWait&) = delete;

    TChildResult Run(std::chrono::milliseconds timeout, std::stop_token stop) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        TChildResult result;
        for (;;) {
            if (stop.stop_requested()) {
                result.Status = TChildStatus::Cancelled;
                return result;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                result.Status = TChildStatus::TimedOut;
                return result;
            }
            const int ready = ReadSome(result.Output);
            if (ready == 0) {
                return Finish(std::move(result));
            }
            if (ready < 0) {
                result.Why = std::string("reading the layout failed: ") + std::strerror(errno);
                return result;
            }
        }
    }

private:
    // 1: go on; 0: the child closed its end; -1: an error.
    int ReadSome(std::string& output) {
        pollfd poll{Fd_, POLLIN, 0};
        const int ready = ::poll(&poll, 1, PollMilliseconds);
        if (ready < 0) {
            return errno == EINTR ? 1 : -1;
        }
        if (ready == 0) {
            return 1;
        }
        char buffer[65536];
        const ssize_t n = ::read(Fd_, buffer, sizeof buffer);
        if (n < 0) {
            return errno == EINTR || errno == EAGAIN ? 1 : -1;
        }
        output.append(buffer, static_cast<std::size_t>(n));
        return n == 0 ? 0 : 1;
    }

    TChildResult Finish(TChildResult result) {
        const int status = Reap();
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            result.Status = TChildStatus::Done;
            return result;
        }
        result.Output.clear();
        result.Why = WIFSIGNALED(status)
                         ? std::string("stopped by signal ") + std::to_string(WTERMSIG(status)) +
                               " (" + strsignal(WTERMSIG(status)) + ")"
                         : "exit status " + std::to_string(WEXITSTATUS(status));
        return result;
    }

    int Reap() {
        int status = 0;
        while (::waitpid(Child_, &status, 0) < 0 && errno == EINTR) {
        }
        Child_ = -1;
        return status;
    }

    pid_t Child_;
    int Fd_;
};

} // namespace

TChildResult RunInChildProcess(const std::function<std::string()>& work,
                               std::chrono::milliseconds timeout, std::stop_token stop) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        return {TChildStatus::Failed, {}, std::string("no pipe: ") + std::strerror(errno)};
    }
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return {TChildStatus::Failed, {}, std::string("no child process: ") + std::strerror(errno)};
    }
    if (child == 0) {
        ::close(fds[0]);
        DieWithParent(parent);
        AnswerAndExit(fds[1], work);
    }
    ::close(fds[1]);
    return TChildWait(child, fds[0]).Run(timeout, stop);
}

} // namespace dialoscope::graph_detail
