// Colouring the output pane: a 200,000-line token listing, as Analyze writes it for a large
// generated script, coloured the two ways the window can: one rescan of the whole text and then
// every line by its index, or line by line carrying each line's end state to the next.

#include "highlight/highlight_engine.h"
#include "workload.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace dialoscope;

constexpr std::size_t kListingLines = 200000;

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool IsKeyword(std::string_view word) {
    constexpr std::array<std::string_view, 12> kWords = {"script",  "uses",  "Var", "function",
                                                         "forward", "begin", "end", "if",
                                                         "then",    "else",  "Say", "Answer"};
    for (const std::string_view keyword : kWords) {
        if (keyword == word) {
            return true;
        }
    }
    return false;
}

// The tokens of a dialog script, listed as the analysis pass lists them: close enough to the
// real scanner for the colouring's sake (comments without markers, strings without quotes,
// hex numbers without "$").
class TListingWriter {
public:
    explicit TListingWriter(std::string_view script) : Script_(script) {}

    std::string Write(std::size_t lineCount) {
        std::string listing;
        std::size_t written = 0;
        while (written < lineCount) {
            Position_ = 0;
            Line_ = 1;
            LineStart_ = 0;
            while (written < lineCount && NextToken(listing)) {
                ++written;
            }
        }
        return listing;
    }

private:
    bool NextToken(std::string& listing) {
        SkipBlanks();
        if (Position_ >= Script_.size()) {
            return false;
        }
        const std::size_t begin = Position_;
        const int column = static_cast<int>(begin - LineStart_) + 1;
        const int line = Line_;
        const char c = Script_[Position_];
        if (Script_.substr(Position_, 2) == "//") {
            const std::size_t end = Script_.find_first_of("\r\n", Position_);
            Position_ = end == std::string_view::npos ? Script_.size() : end;
            Append(listing, column, line, "comment",
                   Script_.substr(begin + 2, Position_ - begin - 2));
        } else if (Script_.substr(Position_, 4) == "<!--") {
            const std::size_t end = Script_.find("-->", Position_);
            Position_ = end == std::string_view::npos ? Script_.size() : end + 3;
            std::string text(Script_.substr(begin + 4, Position_ - begin - 7));
            for (char& t : text) {
                t = (t == '\r' || t == '\n') ? ' ' : t;
            }
            CountLines(begin, Position_);
            Append(listing, column, line, "comment", text);
        } else if (IsLetter(c)) {
            while (Position_ < Script_.size() &&
                   (IsLetter(Script_[Position_]) || IsDigit(Script_[Position_]))) {
                ++Position_;
            }
            const std::string_view word = Script_.substr(begin, Position_ - begin);
            Append(listing, column, line, IsKeyword(word) ? "keyword" : "identifier", word);
        } else if (IsDigit(c)) {
            bool real = false;
            while (Position_ < Script_.size() &&
                   (IsDigit(Script_[Position_]) || Script_[Position_] == '.')) {
                real = real || Script_[Position_] == '.';
                ++Position_;
            }
            Append(listing, column, line, real ? "real" : "integer",
                   Script_.substr(begin, Position_ - begin));
        } else if (c == '$' && Position_ + 1 < Script_.size() &&
                   IsHexDigit(Script_[Position_ + 1])) {
            ++Position_;
            while (Position_ < Script_.size() && IsHexDigit(Script_[Position_])) {
                ++Position_;
            }
            Append(listing, column, line, "hex number",
                   Script_.substr(begin + 1, Position_ - begin - 1));
        } else if (c == '\'' || c == '"') {
            const std::size_t end = Script_.find(c, Position_ + 1);
            Position_ = end == std::string_view::npos ? Script_.size() : end + 1;
            Append(listing, column, line, "string",
                   Script_.substr(begin + 1, Position_ - begin - 2));
        } else {
            ++Position_;
            Append(listing, column, line, "special char", Script_.substr(begin, 1));
        }
        return true;
    }

    void SkipBlanks() {
        while (Position_ < Script_.size()) {
            const char c = Script_[Position_];
            if (c == '\n') {
                ++Line_;
                LineStart_ = Position_ + 1;
            } else if (c != ' ' && c != '\r' && c != '\t') {
                return;
            }
            ++Position_;
        }
    }

    void CountLines(std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            if (Script_[i] == '\n') {
                ++Line_;
                LineStart_ = i + 1;
            }
        }
    }

    static void Append(std::string& listing, int column, int line, std::string_view kind,
                       std::string_view text) {
        char prefix[64];
        std::snprintf(prefix, sizeof prefix, "%5d %5d %-12.*s ", column, line,
                      static_cast<int>(kind.size()), kind.data());
        listing += prefix;
        listing += text;
        listing += '\n';
    }

    std::string_view Script_;
    std::size_t Position_ = 0;
    int Line_ = 1;
    std::size_t LineStart_ = 0;
};

struct TListing {
    std::string Text;
    std::vector<std::string_view> Lines;
};

const TListing& Listing() {
    static const TListing listing = [] {
        const std::string folder = bench::GeneratedWorkload("--target-mb 2");
        const std::string script = bench::ReadWholeFile(folder + "/talk.ipp");
        TListing result;
        result.Text = TListingWriter(script).Write(kListingLines);
        std::size_t start = 0;
        for (std::size_t end = result.Text.find('\n'); end != std::string::npos;
             start = end + 1, end = result.Text.find('\n', start)) {
            result.Lines.emplace_back(result.Text.data() + start, end - start);
        }
        return result;
    }();
    return listing;
}

// One rescan of the whole text, then every line coloured by its index and turned into runs.
void BM_ColourListingAfterRescan(benchmark::State& state) {
    const TListing& listing = Listing();
    THighlightEngine engine;
    std::vector<TColourRun> runs;
    for (auto _ : state) {
        engine.RescanLineStates(listing.Text);
        for (std::size_t i = 0; i < listing.Lines.size(); ++i) {
            engine.ColourLine(i, listing.Lines[i]);
            engine.CharAttrRuns(runs);
            benchmark::DoNotOptimize(runs.data());
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * listing.Lines.size()));
}
BENCHMARK(BM_ColourListingAfterRescan)->Unit(benchmark::kMillisecond);

// What a window keeping a state per line does: each line's end state starts the next line.
void BM_ColourListingLineByLine(benchmark::State& state) {
    const TListing& listing = Listing();
    THighlightEngine engine;
    std::vector<TColourRun> runs;
    for (auto _ : state) {
        TLineState lineState = TLineState::Plain;
        for (const std::string_view line : listing.Lines) {
            engine.ColourLine(line, lineState);
            engine.CharAttrRuns(runs);
            benchmark::DoNotOptimize(runs.data());
            lineState = engine.LineEndState(line, lineState);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * listing.Lines.size()));
}
BENCHMARK(BM_ColourListingLineByLine)->Unit(benchmark::kMillisecond);

void BM_RescanLineStates(benchmark::State& state) {
    const TListing& listing = Listing();
    THighlightEngine engine;
    for (auto _ : state) {
        engine.RescanLineStates(listing.Text);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * listing.Lines.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * listing.Text.size()));
}
BENCHMARK(BM_RescanLineStates)->Unit(benchmark::kMillisecond);

} // namespace
