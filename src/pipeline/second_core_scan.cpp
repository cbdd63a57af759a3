#include "pipeline/detail/second_core_scan.h"

#include <cstring>
#include <utility>

namespace dialoscope {

namespace {

// The first byte of the first line that starts at or after the second core's share; none for a
// small text or one with no line there.
std::optional<std::size_t> SecondCoreLine(const std::string& bytes, const TSplitPlan& plan) {
    if (!plan.PaysTwoCores(bytes.size())) {
        return std::nullopt;
    }
    const std::size_t from = bytes.size() / 100 * plan.ScanFirstCorePercent;
    const void* feed = std::memchr(bytes.data() + from, '\n', bytes.size() - from);
    if (feed == nullptr) {
        return std::nullopt;
    }
    const std::size_t start =
        static_cast<std::size_t>(static_cast<const char*>(feed) - bytes.data()) + 1;
    if (start >= bytes.size()) {
        return std::nullopt;
    }
    return start;
}

} // namespace

TSecondCoreScan::TSecondCoreScan(const TScanner& scanner, const std::string& bytes,
                                 const TSplitPlan& plan, std::function<void()> readTables,
                                 std::function<void()> breathe)
    : Scanner_(scanner), ReadTables_(std::move(readTables)), Breathe_(std::move(breathe)) {
    if (const auto start = SecondCoreLine(bytes, plan)) {
        Ahead_.emplace(bytes, *start);
        Join_ = {&*Ahead_,
                 [this](const std::function<bool()>& meanwhile) { return Await(meanwhile); }};
    }
    Work_.emplace([this] { Work(); }, true);
}

// Work_, the last member, is destroyed first: it waits for the thread.
TSecondCoreScan::~TSecondCoreScan() {
    if (Ahead_) {
        Ahead_->Stop = true;
    }
}

// Catches what it meets: a table error is rethrown by Finish, and a scan ahead that fails is
// only not taken.
void TSecondCoreScan::Work() {
    if (ReadTables_) {
        try {
            ReadTables_();
        } catch (...) {
            TablesError_ = std::current_exception();
            return;
        }
    }
    if (Ahead_ && !Ahead_->Stop) {
        try {
            Scanner_.ScanAhead(*Ahead_);
        } catch (...) {
            Ahead_->Complete = false;
        }
    }
}

// Finish may run only once: a second call would do the work again.
void TSecondCoreScan::AwaitOnce() {
    if (!Awaited_) {
        Awaited_ = true;
        Work_->Finish(Breathe_);
    }
}

// The first core's scan has arrived where the second core's began; it does what it has to do
// meanwhile, and lets the window breathe, while the second core still reads.
bool TSecondCoreScan::Await(const std::function<bool()>& meanwhile) {
    while (!Awaited_ && !Work_->Ended() && meanwhile()) {
        if (Breathe_) {
            Breathe_();
        }
    }
    AwaitOnce();
    return Ahead_->Complete;
}

void TSecondCoreScan::Finish() {
    if (Ahead_) {
        Ahead_->Stop = true;
    }
    AwaitOnce();
    if (TablesError_) {
        std::rethrow_exception(TablesError_);
    }
}

} // namespace dialoscope
