#pragma once
// What the fuzz targets share: a failed invariant that stops the run, a port that keeps what
// the window would show, the scanner's position rules recomputed from the bytes, and the tree
// file read back.

#include "analysis/outline_tree.h"
#include "analysis/port.h"
#include "scanner/scanner.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope::fuzz {

// Prints what broke and aborts, so libFuzzer keeps the input as a crash.
[[noreturn]] void Fail(std::string_view invariant, std::string_view detail = {});

// The detail is built only when the invariant is broken: the checks run on every token.
#define FUZZ_EXPECT(holds, invariant, detail)                                                      \
    do {                                                                                           \
        if (!(holds)) {                                                                            \
            ::dialoscope::fuzz::Fail(invariant, detail);                                           \
        }                                                                                          \
    } while (false)

// Keeps the output pane's lines and the message boxes. ProcessMessages marks where each step of
// a pass began in the pane, so a pass's lines can be told apart per step.
class TRecordingPort : public TPort {
public:
    void ClearOutput() override { Pane.clear(); }
    void AppendOutput(std::string_view line) override { Pane.emplace_back(line); }
    void CounterChanged(TCounter, std::string_view) override {}
    void SetProgress(int percent) override {
        FUZZ_EXPECT(percent >= 0 && percent <= 100, "progress stays within 0..100",
                    std::to_string(percent));
    }
    void ProcessMessages() override { StepStarts.push_back(Pane.size()); }
    void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }

    std::vector<std::string> Pane;
    std::vector<std::string> Messages;
    std::vector<std::size_t> StepStarts; // pane size at every ProcessMessages
};

// Line and column of every byte offset as the scanner counts them: a CR LF pair is one line
// end (and so is a CR before a 0 byte, which reads as a line feed while peeked), a lone CR or LF
// one each, any other byte one column. Offsets must be asked for in ascending order.
class TPositionWalker {
public:
    explicit TPositionWalker(std::string_view bytes) : Bytes_(bytes) {}
    // False when offset lies inside a CR LF pair, where no token can start.
    bool AdvanceTo(std::size_t offset);
    std::int64_t Line() const { return Line_; }
    std::int64_t Column() const { return Column_; }

private:
    std::string_view Bytes_;
    std::size_t Offset_ = 0;
    std::int64_t Line_ = 1;
    std::int64_t Column_ = 1;
};

enum class TScanEnd : bool { Stopped, Complete };

// The invariants of a token list scanned from bytes by ScanStream: offsets inside the text and
// increasing, lines and columns that agree with the offsets (block comments may start further
// right by the blanks they trimmed), and for a complete scan exactly one end-of-file token,
// the last one.
void CheckTokenList(const TScanner& scanner, std::string_view bytes, TScanEnd end);

struct TTreeFileLine {
    std::int32_t Depth = 0;
    std::string Caption;
    friend bool operator==(const TTreeFileLine&, const TTreeFileLine&) = default;
};

// A tree file read back: depth from the leading tabs, CR LF stripped. A caption is written on
// one line, its tabs as two blanks and its line breaks as one.
std::vector<TTreeFileLine> ReadTreeFile(std::string_view bytes);

// Structure and images of a tree: parents before children, depth one below the parent, every
// image 0..4; and its tree file reads back to the same depths and captions.
void CheckTree(const TOutlineTree& tree, std::string_view treeFileBytes);

} // namespace dialoscope::fuzz
