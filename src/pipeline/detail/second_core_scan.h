#pragma once
// TSecondCoreScan: the second core's share of a big script's scan. It parses the message file
// and the script list first when asked to (their errors wait until the scan has ended, then end
// Analyze as if they had been parsed first), then reads the script's tokens from a line about
// two thirds in, which the first core's scan takes where it meets them (see scan_ahead.h).

#include "background_work.h"
#include "pipeline/split_plan.h"
#include "scan_ahead.h"
#include "scanner/scanner.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace dialoscope {

class TSecondCoreScan {
public:
    // readTables is run first when set. scanner and bytes must outlive this object and stay
    // unchanged but for scanner's own scan. The second core reads from where plan says.
    TSecondCoreScan(const TScanner& scanner, const std::string& bytes, const TSplitPlan& plan,
                    std::function<void()> readTables, std::function<void()> breathe);
    TSecondCoreScan(const TSecondCoreScan&) = delete;
    TSecondCoreScan& operator=(const TSecondCoreScan&) = delete;
    // Stops the second core and waits for it.
    ~TSecondCoreScan();

    // Where the first core's scan pauses to meet the second core's: the first byte of the second
    // core's line; none for a small text or one with no line there.
    std::size_t MeetAt() const;
    // Called when scanner's scan has paused there: waits for the second core, letting the window
    // breathe and making room for its tokens meanwhile, and takes them at a seam (then the scan
    // has read its end). How many it took; 0 when none, and the scan reads on alone.
    std::int32_t TakeAhead(TScanner& scanner);
    // Waits for the second core; rethrows what reading the tables threw.
    void Finish();

private:
    void Work();
    void AwaitOnce();
    void AwaitMakingRoom(TScanner& scanner);

    const TScanner& Scanner_;
    std::function<void()> ReadTables_;
    std::function<void()> Breathe_;
    std::optional<TScanAhead> Ahead_;
    std::exception_ptr TablesError_;
    bool Awaited_ = false;
    std::optional<TBackgroundWork> Work_; // started last, once everything it reads is set
};

} // namespace dialoscope
