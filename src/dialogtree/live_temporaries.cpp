#include "detail/live_temporaries.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <signal.h>
#include <unistd.h>

namespace dialoscope {

namespace {

// A slot is written by one thread while Taken and read by the handler only once Ready: the
// handler may run at any moment, so it reads nothing that is being changed.
struct TLiveSlot {
    std::atomic<bool> Taken{false};
    std::atomic<bool> Ready{false};
    char Path[PATH_MAX] = {};
};

// A save holds one temporary at a time; a few threads may save at once.
std::array<TLiveSlot, 16> LiveSlots;

constexpr std::array InterruptSignals = {SIGINT, SIGTERM, SIGHUP};

// Only async-signal-safe calls: unlink, and raise after the action was reset to the default.
void RemoveLiveTemporaries(int signal) {
    for (TLiveSlot& slot : LiveSlots) {
        if (slot.Ready.load(std::memory_order_acquire)) {
            ::unlink(slot.Path);
        }
    }
    ::raise(signal);
}

void InstallHandlers() {
    for (const int signal : InterruptSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
            (current.sa_flags & SA_SIGINFO) != 0) {
            continue;
        }
        struct sigaction removing {};
        removing.sa_handler = RemoveLiveTemporaries;
        sigemptyset(&removing.sa_mask);
        // Back to the default action on entry, and not blocked, so the raise ends the process.
        removing.sa_flags = SA_RESETHAND | SA_NODEFER;
        ::sigaction(signal, &removing, nullptr);
    }
}

std::string FolderPart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string KeptName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    constexpr std::size_t MaxKeptName = 200;
    if (name.size() > MaxKeptName) {
        name.resize(MaxKeptName);
    }
    return name;
}

// The PID of "PID-N.tmp", or 0 when rest is not of that form.
long TemporaryOwner(std::string_view rest) {
    constexpr std::string_view Suffix = ".tmp";
    const std::size_t dash = rest.find('-');
    if (rest.size() <= Suffix.size() || !rest.ends_with(Suffix) || dash == 0 ||
        dash == std::string_view::npos) {
        return 0;
    }
    const std::string_view pid = rest.substr(0, dash);
    const std::string_view attempt = rest.substr(dash + 1, rest.size() - dash - 1 - Suffix.size());
    const auto isDigits = [](std::string_view text) {
        return !text.empty() && text.size() < 10 &&
               text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return isDigits(pid) && isDigits(attempt) ? std::stol(std::string(pid)) : 0;
}

bool IsGone(long pid) {
    return pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

int RegisterLiveTemporary(const std::string& path) {
    static std::once_flag installed;
    std::call_once(installed, InstallHandlers);
    if (path.size() >= PATH_MAX) {
        return -1;
    }
    for (std::size_t i = 0; i < LiveSlots.size(); ++i) {
        TLiveSlot& slot = LiveSlots[i];
        bool free = false;
        if (slot.Taken.compare_exchange_strong(free, true, std::memory_order_acquire)) {
            std::memcpy(slot.Path, path.c_str(), path.size() + 1);
            slot.Ready.store(true, std::memory_order_release);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ForgetLiveTemporary(int slot) {
    if (slot < 0) {
        return;
    }
    LiveSlots[static_cast<std::size_t>(slot)].Ready.store(false, std::memory_order_release);
    LiveSlots[static_cast<std::size_t>(slot)].Taken.store(false, std::memory_order_release);
}

std::string TemporaryNameFor(const std::string& target, int pid, unsigned attempt) {
    return FolderPart(target) + "." + KeptName(target) + "." + std::to_string(pid) + "-" +
           std::to_string(attempt) + ".tmp";
}

void RemoveStaleTemporaries(const std::string& target) {
    const std::string folder = FolderPart(target);
    // Appended piece by piece: GCC 12 warns falsely on "." + std::string.
    std::string prefix(".");
    prefix.append(KeptName(target)).append(".");
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(prefix)) {
            continue;
        }
        const long owner = TemporaryOwner(std::string_view(name).substr(prefix.size()));
        if (owner > 0 && IsGone(owner) && it->is_regular_file(error)) {
            ::unlink((folder + name).c_str());
        }
    }
}

} // namespace dialoscope
