#pragma once
// TSecondHalf: the nodes of a big script's second half, analysed on the second core while the first
// core walks the first half. It starts at the first node from a little past the middle on (see
// TSplitPlan), with the forward declarations the first core has read by then, and stops
// before the first section it meets: a section fills tables only the first core's walk may change.
// Its records, pane lines and messages wait until the first core's walk arrives at that node. Only
// if the walk arrives exactly there, with no forward section read on the way, are they taken, in
// order, as if the first core had made them; else they are thrown away and the first core walks on
// alone. Either way every output is what one core alone would have made.
//
// The contract in types: both walks read the same TWalkInputs, which neither changes; only the
// first core's run has a TSectionSink, so the second walk cannot fill a section's tables; its
// output is a TWalkOutput of its own, spliced into the first walk's by Merge.

#include "analysis/detail/analysis_run.h"
#include "background_work.h"
#include "deferred_port.h"
#include "pipeline/split_plan.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <optional>

namespace dialoscope {

// A walk's records, pane lines and messages, held back until they are spliced in after the
// first walk's own.
struct TWalkOutput {
    TDeferredPort Port;
    std::deque<TNodeKeep> Nodes;

    // Appends the records to nodes and shows the lines and messages on port, in order.
    void SpliceInto(std::deque<TNodeKeep>& nodes, TPort& port);
};

class TSecondHalf {
public:
    // Where the second core starts when the first core's walk is at its first node, p; none for
    // a script of fewer tokens than plan pays two cores for, or when the General View is made
    // (its items must come in order).
    static std::optional<std::int64_t> StartFor(const TAnalysisRun& first, std::int64_t p,
                                                const TSplitPlan& plan);

    TSecondHalf(const TAnalysisRun& first, std::int64_t start);
    TSecondHalf(const TSecondHalf&) = delete;
    TSecondHalf& operator=(const TSecondHalf&) = delete;
    // Stops the second core and waits for it.
    ~TSecondHalf();

    std::int64_t Start() const { return Start_; }
    // Whether the first core's walk, now at Start, may take the second core's work.
    bool Holds(const TAnalysisRun& first) const;
    // Waits for the second core, calling breathe meanwhile, then gives first the records, pane
    // lines and messages, in order; returns where first's walk goes on. Rethrows what the
    // second core's walk threw, after what it made before.
    std::int64_t Merge(TAnalysisRun& first, const std::function<void()>& breathe);

private:
    void Walk();

    const std::int64_t Start_;
    const std::int32_t ForwardSections_; // the first core's count when the second core started
    TWalkOutput Output_;
    TAnalysisRun Run_; // no section sink
    std::atomic<bool> Stop_{false};
    std::int64_t Resume_ = 0;
    std::exception_ptr Error_;
    std::optional<TBackgroundWork> Work_; // started last, once the run is complete
};

} // namespace dialoscope
