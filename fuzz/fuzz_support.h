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

#ifdef DIALOSCOPE_FUZZ_DIFFERENTIAL
// Each target's source is built twice: the fast target checks what must never happen, its
// differential twin (built with DIALOSCOPE_FUZZ_DIFFERENTIAL=1) also compares with the plain
// reference readings, which cost many times the code they check.
inline constexpr bool IsDifferential = DIALOSCOPE_FUZZ_DIFFERENTIAL != 0;
#endif

// Prints what broke and aborts, so libFuzzer keeps the input as a crash.
[[noreturn]] void Fail(std::string_view invariant, std::string_view detail = {});

// The detail is built only when the invariant is broken: the checks run on every token.
#define FUZZ_EXPECT(holds, invariant, detail)                                                      \
    do {                                                                                           \
        if (!(holds)) {                                                                            \
            ::dialoscope::fuzz::Fail(invariant, detail);                                           \
        }                                                                                          \
    } while (false)

// Whether a recording port keeps the pane's lines or only counts them.
enum class TPaneKeeping : bool { CountOnly, KeepLines };

// Whether a text holds a tab or a line break, which no pane line may.
bool HoldsTabOrBreak(std::string_view text);

// Keeps the output pane's lines (or counts them) and the message boxes. ProcessMessages marks
// where each step of a pass began in the pane, so a pass's lines can be told apart per step.
class TRecordingPort : public TPort {
public:
    explicit TRecordingPort(TPaneKeeping keeping = TPaneKeeping::KeepLines) : Keeping_(keeping) {}

    void ClearOutput() override {
        Pane.clear();
        LineCount = 0;
    }
    // The pane is a list of lines: what is appended to it never holds a tab or a line break.
    void AppendOutput(std::string_view line) override {
        FUZZ_EXPECT(!HoldsTabOrBreak(line), "pane lines hold no tab and no line break", line);
        ++LineCount;
        if (Keeping_ == TPaneKeeping::KeepLines) {
            Pane.emplace_back(line);
        }
    }
    void CounterChanged(TCounter, std::string_view) override {}
    void SetProgress(int percent) override {
        FUZZ_EXPECT(percent >= 0 && percent <= 100, "progress stays within 0..100",
                    std::to_string(percent));
    }
    void ProcessMessages() override { StepStarts.push_back(LineCount); }
    void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }

    std::vector<std::string> Pane; // empty unless the port keeps lines
    std::size_t LineCount = 0;     // lines in the pane
    std::vector<std::string> Messages;
    std::vector<std::size_t> StepStarts; // pane size at every ProcessMessages

private:
    TPaneKeeping Keeping_;
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
// image 0..4.
void CheckTreeStructure(const TOutlineTree& tree);

// The structure, and the tree file reads back to the same depths and captions.
void CheckTree(const TOutlineTree& tree, std::string_view treeFileBytes);

} // namespace dialoscope::fuzz
