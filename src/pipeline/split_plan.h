#pragma once
// TSplitPlan: where one script's Load and Analyze split their work between two cores. Every
// number that decides whether a second core is worth it, and where its share begins, is here,
// so that a test can force both splits on a script of a few lines (a plan of 0 bytes) and compare
// every output with one core's.

#include <cstddef>
#include <cstdint>

namespace dialoscope {

struct TSplitPlan {
    // Scripts from this size on are worth the second core in Load and Analyze: below it a thread
    // costs more than the share of the work it takes.
    std::size_t TwoCoresFromBytes = 1 << 20;
    // The scan's split: the second core reads about the last third. It parses the tables first
    // and writes its tokens into fresh memory, while the first core writes into room made during
    // Load, and copying its tokens over costs the first core time too. Measured on the generated
    // workloads, the two finish together at about two thirds.
    std::size_t ScanFirstCorePercent = 65;
    // The walk's split: a script of fewer tokens is walked by one core.
    std::int64_t WalkTwoCoresFromTokens = 1 << 16;
    // The second core's walk holds back every record and line and is the slower per token:
    // measured on the generated workloads, the two walks end together when the first takes 57%
    // of the tokens.
    std::int64_t WalkFirstCorePercent = 57;

    // Whether a script of this many bytes is worth the second core.
    bool PaysTwoCores(std::size_t bytes) const { return bytes >= TwoCoresFromBytes; }
};

// The plan the product runs with.
inline constexpr TSplitPlan MeasuredPlan{};
// Both splits on any input, for tests that compare one core with two on scripts of a few lines.
inline constexpr TSplitPlan ForcedPlan{.TwoCoresFromBytes = 0, .WalkTwoCoresFromTokens = 0};

} // namespace dialoscope
