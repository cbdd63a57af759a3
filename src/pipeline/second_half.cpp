#include "pipeline/detail/second_half.h"

#include "analysis/detail/pass_step.h"

#include <algorithm>

#include <string>

namespace dialoscope {

std::optional<std::int64_t> TSecondHalf::StartFor(const TAnalysisRun& first, std::int64_t p,
                                                  const TSplitPlan& plan) {
    const std::int64_t last = first.Tokens.Last();
    if (first.ShowsGeneralView || last < plan.WalkTwoCoresFromTokens) {
        return std::nullopt;
    }
    for (std::int64_t s = std::max(p + 1, last / 100 * plan.WalkFirstCorePercent); s < last; ++s) {
        if (first.Words.At(s) == TWord::Function && OpensNode(first, s)) {
            return s;
        }
    }
    return std::nullopt;
}

TSecondHalf::TSecondHalf(const TAnalysisRun& first, std::int64_t start)
    : Start_(start), ForwardSections_(first.ForwardSections),
      Run_(first.Inputs(), nullptr, Output_.Port, Output_.Nodes, first.Request) {
    Run_.Forward = first.Forward;
    Work_.emplace([this] { Walk(); }, true);
}

TSecondHalf::~TSecondHalf() {
    Stop_ = true;
    Work_.reset();
}

bool TSecondHalf::Holds(const TAnalysisRun& first) const {
    return first.ForwardSections == ForwardSections_;
}

void TSecondHalf::Walk() {
    const TScanner& scanner = Run_.Ws.Scanner;
    const std::int64_t last = Run_.Tokens.Last();
    std::string line;
    std::int64_t p = Start_;
    try {
        for (; p < last && !Stop_; ++p) {
            const auto index = static_cast<std::int32_t>(p);
            if (scanner.KindAt(index) == TTokenKind::Keyword &&
                OpensSection(Run_, scanner.TextAt(index), p)) {
                break;
            }
            p = PassStep(Run_, p, line);
        }
    } catch (...) {
        Error_ = std::current_exception();
    }
    Resume_ = p;
}

void TWalkOutput::SpliceInto(std::deque<TNodeKeep>& nodes, TPort& port) {
    // Taken from the front one by one: each block of records is freed as soon as it is
    // emptied, so a big script's records are never held twice.
    while (!Nodes.empty()) {
        nodes.push_back(std::move(Nodes.front()));
        Nodes.pop_front();
    }
    Port.Replay(port);
}

std::int64_t TSecondHalf::Merge(TAnalysisRun& first, const std::function<void()>& breathe) {
    Work_->Finish(breathe);
    Output_.SpliceInto(first.Nodes, first.Port);
    if (Error_) {
        std::rethrow_exception(Error_);
    }
    return Resume_;
}

} // namespace dialoscope
