#include "pipeline/detail/second_core_scan.h"

#include <algorithm>
#include <cstring>
#include <limits>
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
            ScanAhead(Scanner_, *Ahead_);
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

std::size_t TSecondCoreScan::MeetAt() const {
    return Ahead_ ? Ahead_->Start : std::numeric_limits<std::size_t>::max();
}

std::int32_t TSecondCoreScan::TakeAhead(TScanner& scanner) {
    if (!Ahead_) {
        return 0;
    }
    AwaitMakingRoom(scanner);
    return TakeAtSeam(scanner, *Ahead_);
}

// While the second core still reads, room for its tokens is made, as many as the first core's
// own tokens per byte promise, so that taking them costs no fresh memory; and the window
// breathes.
void TSecondCoreScan::AwaitMakingRoom(TScanner& scanner) {
    const std::size_t bytesAhead = Ahead_->Bytes->size() - Ahead_->Start;
    const double perByte = static_cast<double>(scanner.TokenCount()) /
                           static_cast<double>(std::max<std::size_t>(Ahead_->Start, 1));
    const std::size_t expected =
        std::min(bytesAhead, static_cast<std::size_t>(perByte * static_cast<double>(bytesAhead)));
    for (std::size_t prepared = 0; !Awaited_ && !Work_->Ended() && prepared < expected;
         prepared += TTokenStore::RoomStep) {
        scanner.PrepareRoom(expected, prepared, prepared + TTokenStore::RoomStep);
        if (Breathe_) {
            Breathe_();
        }
    }
    AwaitOnce();
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
