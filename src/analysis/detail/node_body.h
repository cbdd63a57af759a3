#pragma once
// A node's source text, taken from the script's lines: from the first line that contains
// "function" and the node's name as a whole word (not next to a letter, digit or "_") and does
// not contain "forward", down to the line two lines above the next line that contains
// "function" or "end." (so the blank line before the next node is not copied). The line after
// the first one is always copied; with no stop line the text runs to the script's last line;
// with no first line it is empty. Each copied line is followed by CR LF.

#include "analysis/line_store.h"
#include "analysis/name_table.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dialoscope {

// Made once per Analyze over the script's lines and shared by the nodes it finds, so that every
// node's text costs only its own lines, not a search from the top of the script. It is built on
// the first question, not by Analyze: most commands (the listing, the trees, the checks) never
// show a node's text. Safe to ask from several threads.
class TNodeBodyIndex {
public:
    // Shares the lines, which never change in place.
    explicit TNodeBodyIndex(const TLineStore& lines) : Lines_(lines) {}

    std::string Body(std::string_view name);
    // The lines the index reads, which a node's text is taken from.
    const TLineStore& Lines() const { return Lines_; }

    // The first qualifying line for name, if any.
    std::optional<std::int32_t> FirstLine(std::string_view name);
    // The last line copied when the text starts at line first.
    std::int32_t LastLine(std::int32_t first);

private:
    void EnsureBuilt();
    void Build();
    std::optional<std::int32_t> FirstLineBySearch(std::string_view name);

    const TLineStore Lines_;
    std::once_flag Built_;
    std::vector<std::int32_t> Qualifying_; // lines with "function" and without "forward"
    std::vector<std::int32_t> StopLines_;  // lines with "function" or "end.", ascending
    // Each whole word of a qualifying line -> the first qualifying line it stands on.
    TNameTable FirstByWord_;
    // Names that are not a single word (odd tokens after "function"), found by a search. Both
    // cores' walks may ask for one; the lock keeps their answers apart.
    struct TSearched {
        std::mutex Lock;
        std::unordered_map<std::string, std::optional<std::int32_t>> Names;
    };
    std::unique_ptr<TSearched> Searched_ = std::make_unique<TSearched>();
};

// Whether name stands in line as a whole word.
bool ContainsWholeWord(std::string_view line, std::string_view name);

} // namespace dialoscope
