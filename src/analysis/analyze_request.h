#pragma once
// TAnalyzeRequest: what one Load and Analyze of a script is asked to make, and on how many cores.
// A command asks only for what it writes or reads; work nobody reads is not done. The port says
// where output goes, the request what is made.

#include <cstdint>

namespace dialoscope {

struct TAnalyzeRequest {
    // The output pane's listing lines.
    bool Listing = true;
    // The General View tree, whose items must be made in token order.
    bool GeneralView = true;
    // What the node analysis collects per node: said lines, answers, calls and message uses.
    bool NodeLists = true;
    // The nodes' message marks, read only by Search Msg; made only together with NodeLists.
    bool MsgMarks = true;
    // How many cores one script's Load and Analyze may use: 1 where every core already analyses
    // a script of its own (a project run), else 2.
    std::int32_t Cores = 2;

    bool operator==(const TAnalyzeRequest&) const = default;
};

// What the window makes: everything, on both cores.
inline constexpr TAnalyzeRequest EverythingRequest{};
// What a command that reads the tables, not the panes, needs: the node records with their lists
// and marks, no listing and no General View.
inline constexpr TAnalyzeRequest TablesRequest{.Listing = false, .GeneralView = false};

} // namespace dialoscope
