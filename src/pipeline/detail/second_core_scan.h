#pragma once
// TSecondCoreScan: the second core's share of a big script's scan. It parses the message file
// and the script list first when asked to (their errors wait until the scan has ended, then end
// Analyze as if they had been parsed first), then reads the script's tokens from a line about
// two thirds in, which the first core's scan takes where it meets them (see scanner/scan_ahead.h).

#include "background_work.h"
#include "pipeline/split_plan.h"
#include "scanner/scan_ahead.h"
#include "scanner/scanner.h"

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

    // What the first core's ScanStream takes the tokens read ahead with.
    const TScanAheadJoin& Join() const { return Join_; }
    // Waits for the second core; rethrows what reading the tables threw.
    void Finish();

private:
    void Work();
    void AwaitOnce();
    bool Await(const std::function<bool()>& meanwhile);

    const TScanner& Scanner_;
    std::function<void()> ReadTables_;
    std::function<void()> Breathe_;
    std::optional<TScanAhead> Ahead_;
    TScanAheadJoin Join_;
    std::exception_ptr TablesError_;
    bool Awaited_ = false;
    std::optional<TBackgroundWork> Work_; // started last, once everything it reads is set
};

} // namespace dialoscope
