#include "detail/node_body.h"

#include <algorithm>

namespace dialoscope {

namespace {

bool IsWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool Contains(std::string_view line, std::string_view part) {
    return line.find(part) != std::string_view::npos;
}

bool IsWord(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsWordByte);
}

// Whether a line that contains "function" (hasFunction) qualifies, and whether it stops a copy:
// the index looks for "function" once per line for both.
bool IsQualifyingLine(std::string_view line, bool hasFunction) {
    return hasFunction && !Contains(line, "forward");
}

// "end." looked for by its ".", which few lines hold, rather than by its "e", which most do.
bool ContainsEndDot(std::string_view line) {
    constexpr std::string_view end = "end";
    for (std::size_t dot = line.find('.'); dot != std::string_view::npos;
         dot = line.find('.', dot + 1)) {
        if (dot >= end.size() && line.substr(dot - end.size(), end.size()) == end) {
            return true;
        }
    }
    return false;
}

bool IsStopLine(std::string_view line, bool hasFunction) {
    return hasFunction || ContainsEndDot(line);
}

} // namespace

bool ContainsWholeWord(std::string_view line, std::string_view name) {
    if (name.empty()) {
        return false;
    }
    for (std::size_t at = line.find(name); at != std::string_view::npos;
         at = line.find(name, at + 1)) {
        const std::size_t after = at + name.size();
        const bool freeBefore = at == 0 || !IsWordByte(line[at - 1]);
        const bool freeAfter = after == line.size() || !IsWordByte(line[after]);
        if (freeBefore && freeAfter) {
            return true;
        }
    }
    return false;
}

void TNodeBodyIndex::EnsureBuilt() {
    std::call_once(Built_, [this] { Build(); });
}

void TNodeBodyIndex::Build() {
    for (std::int32_t i = 0; i < Lines_.Count(); ++i) {
        const std::string_view line = Lines_.Line(i);
        const bool hasFunction = Contains(line, "function");
        if (IsStopLine(line, hasFunction)) {
            StopLines_.push_back(i);
        }
        if (!IsQualifyingLine(line, hasFunction)) {
            continue;
        }
        Qualifying_.push_back(i);
        // A name made of word bytes stands as a whole word exactly where it is a maximal run
        // of word bytes.
        std::size_t at = 0;
        while (at < line.size()) {
            if (!IsWordByte(line[at])) {
                ++at;
                continue;
            }
            std::size_t end = at;
            while (end < line.size() && IsWordByte(line[end])) {
                ++end;
            }
            FirstByWord_.FindOrInsert(line.substr(at, end - at), i); // keeps the first line
            at = end;
        }
    }
}

std::optional<std::int32_t> TNodeBodyIndex::FirstLineBySearch(std::string_view name) {
    const std::lock_guard<std::mutex> lock(Searched_->Lock);
    auto& names = Searched_->Names;
    const auto known = names.find(std::string(name));
    if (known != names.end()) {
        return known->second;
    }
    std::optional<std::int32_t> found;
    for (const std::int32_t i : Qualifying_) {
        if (ContainsWholeWord(Lines_.Line(i), name)) {
            found = i;
            break;
        }
    }
    names.emplace(std::string(name), found);
    return found;
}

std::optional<std::int32_t> TNodeBodyIndex::FirstLine(std::string_view name) {
    EnsureBuilt();
    if (name.empty()) {
        return std::nullopt;
    }
    if (!IsWord(name)) {
        return FirstLineBySearch(name);
    }
    const std::int32_t* first = FirstByWord_.Find(name);
    if (first == nullptr) {
        return std::nullopt;
    }
    return *first;
}

std::int32_t TNodeBodyIndex::LastLine(std::int32_t first) {
    EnsureBuilt();
    const std::int32_t last = Lines_.Count() - 1;
    // The copy stops after line j when line j + 2 is a stop line, for j = first + 1 on.
    const auto stop = std::lower_bound(StopLines_.begin(), StopLines_.end(), first + 3);
    if (stop == StopLines_.end()) {
        return last;
    }
    return std::min(*stop - 2, last);
}

std::string TNodeBodyIndex::Body(std::string_view name) {
    const auto first = FirstLine(name);
    if (!first) {
        return {};
    }
    const std::int32_t last = LastLine(*first);
    std::size_t size = 0;
    for (std::int32_t i = *first; i <= last; ++i) {
        size += Lines_.Line(i).size() + 2;
    }
    std::string body;
    body.reserve(size);
    for (std::int32_t i = *first; i <= last; ++i) {
        body += Lines_.Line(i);
        body += "\r\n";
    }
    return body;
}

} // namespace dialoscope
