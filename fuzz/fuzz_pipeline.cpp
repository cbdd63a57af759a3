// The whole road of a script: one input split into the script, its message file and
// scripts.lst (at the lines "%%msg%%" and "%%lst%%"), written to a temporary folder, then Load,
// Analyze, Build Dialog Tree, Find Msg, Find Node, the node text of the first nodes and both
// hidden listings, with the invariants of each step. fuzz_pipeline_differential also compares
// the listing with one made from the tokens here, reads the tree files back, asks more queries,
// and saves the pane and both trees.

#include "fuzz_support.h"

#include "analysis/analyze.h"
#include "analysis/errors.h"
#include "analysis/load.h"
#include "dialogtree/dialog_tree.h"
#include "dialogtree/savers.h"
#include "dialogtree/searches.h"
#include "pipeline/script_pipeline.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace dialoscope::fuzz {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view MsgSeparator = "\n%%msg%%\n";
constexpr std::string_view LstSeparator = "\n%%lst%%\n";

struct TInputFiles {
    std::string Script, Messages, ScriptsLst;
};

TInputFiles SplitInput(std::string_view input) {
    TInputFiles files;
    const std::size_t msg = input.find(MsgSeparator);
    files.Script = std::string(input.substr(0, msg));
    if (msg == std::string_view::npos) {
        return files;
    }
    input.remove_prefix(msg + MsgSeparator.size());
    const std::size_t lst = input.find(LstSeparator);
    files.Messages = std::string(input.substr(0, lst));
    if (lst != std::string_view::npos) {
        files.ScriptsLst = std::string(input.substr(lst + LstSeparator.size()));
    }
    return files;
}

// One folder for the whole run, in memory when the system has a RAM file system.
const fs::path& WorkFolder() {
    static const fs::path folder = [] {
        const fs::path base = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
        std::string pattern = (base / "dialoscope-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            Fail("a temporary folder can be made", pattern);
        }
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(WorkFolder(), ignored);
        });
        return fs::path(pattern);
    }();
    return folder;
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Untabbed(std::string_view text) {
    std::string out;
    for (const char c : text) {
        out += c == '\t' ? std::string_view("  ") : std::string_view(&c, 1);
    }
    return out;
}

// The listing line of a token split where the pane splits it: at each line end in its text.
std::vector<std::string> ListingPaneLines(const TTokenView& token) {
    static const char* const words[] = {
        "comment     ", "end of file ", "error       ", "hex number  ", "identifier  ",
        "integer     ", "keyword     ", "real        ", "special char", "string      "};
    char head[64];
    std::snprintf(head, sizeof head, "%5d %5d %s ", token.Column, token.Line,
                  words[static_cast<int>(token.Kind)]);
    const std::string line = Untabbed(std::string(head) + std::string(token.Text));
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\n' || line[i] == '\r') {
            lines.push_back(line.substr(start, i - start));
            if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    lines.push_back(line.substr(start));
    return lines;
}

// Every step of the pass lets the window breathe once and then lists exactly one token: the
// steps' pane lines are listing lines of tokens in ascending order, never the end-of-file one.
void CheckListing(const TWorkspace& ws, const TRecordingPort& port) {
    // The scan, and the waits for the second core's work, let the window breathe too before
    // the pass lists anything: those turns all come before the first step, with the pane still
    // empty. With the end-of-file token alone the pass takes no step at all.
    std::vector<std::size_t> starts = port.StepStarts;
    const std::int32_t count = ws.Scanner.TokenCount();
    FUZZ_EXPECT(count >= 1, "Analyze leaves a scanned list", "");
    if (count <= 1) {
        FUZZ_EXPECT(port.LineCount == 0, "no token, no listing", "");
        starts.clear();
    }
    std::size_t turnsBeforeThePass = 0;
    while (turnsBeforeThePass + 1 < starts.size() && starts[turnsBeforeThePass + 1] == 0) {
        ++turnsBeforeThePass;
    }
    starts.erase(starts.begin(), starts.begin() + static_cast<std::ptrdiff_t>(turnsBeforeThePass));
    std::int32_t next = 0; // the lowest token the next step may list
    for (std::size_t step = 0; step < starts.size(); ++step) {
        const std::size_t end = step + 1 < starts.size() ? starts[step + 1] : port.LineCount;
        FUZZ_EXPECT(starts[step] < end, "every step of the pass lists a token", "");
        const std::vector<std::string> got(port.Pane.begin() +
                                               static_cast<std::ptrdiff_t>(starts[step]),
                                           port.Pane.begin() + static_cast<std::ptrdiff_t>(end));
        bool matched = false;
        for (std::int32_t i = next; i < count - 1 && !matched; ++i) {
            if (ListingPaneLines(*ws.Scanner.TokenAt(i)) == got) {
                matched = true;
                next = i + 1;
            }
        }
        FUZZ_EXPECT(matched, "a step's lines are the listing line of a later token", got.front());
    }
    FUZZ_EXPECT(starts.size() <= static_cast<std::size_t>(count), "no more steps than tokens", "");
    if (count >= 2) {
        FUZZ_EXPECT(!starts.empty() &&
                        port.Pane.front() == ListingPaneLines(*ws.Scanner.TokenAt(0)).front(),
                    "the listing starts with the first token", "");
    }
}

// Nodes 1..NodeCount are all set, in General View order, each with its node item.
void CheckNodes(const TWorkspace& ws) {
    std::int32_t seen = 0;
    const TOutlineTree& tree = ws.GeneralView;
    for (std::int32_t row = 0; row < tree.TopLevelCount(); ++row) {
        const TTreeItem& item = tree.Item(tree.ChildAt(TOutlineTree::NoParent, row));
        if (item.Node < 0) {
            continue;
        }
        FUZZ_EXPECT(item.Node == seen, "node items follow the table order", "");
        const TNodeKeep& node = ws.Nodes[static_cast<std::size_t>(item.Node)];
        FUZZ_EXPECT(item.Caption == node.Name, "a node item shows the node's name", node.Name);
        FUZZ_EXPECT(item.Image == imgNode, "a node item has image 0", node.Name);
        ++seen;
    }
    FUZZ_EXPECT(seen == ws.NodeCount(), "every node has its General View item", "");
}

void CheckDialogsTree(const TWorkspace& ws) {
    const TOutlineTree& tree = ws.DialogsTree;
    for (std::int32_t row = 0; row < tree.TopLevelCount(); ++row) {
        const TTreeItem& root = tree.Item(tree.ChildAt(TOutlineTree::NoParent, row));
        FUZZ_EXPECT(root.Caption == "Dialog" && root.Image == imgNode, "every root is a Dialog",
                    "");
    }
}

void CheckSave(const fs::path& path, std::string_view expected) {
    FUZZ_EXPECT(ReadFile(path) == expected, "a saved file holds what was saved", path.string());
}

// How many queries of each kind a run makes: the differential target makes more.
struct TQueryLimits {
    std::size_t Numbers, Names;
    std::int32_t Items;
};
constexpr TQueryLimits QueryLimits =
    IsDifferential ? TQueryLimits{12, 6, 200} : TQueryLimits{9, 2, 24};

void RunQueries(TWorkspace& ws, TRecordingPort& port) {
    // Find Msg for the edges of the range and the first marks of the first nodes.
    std::set<std::int32_t> numbers = {99, 100, 101, 105, 150, 100000, 100001};
    std::set<std::string> names;
    for (const TNodeKeep& node : ws.Nodes) {
        if (numbers.size() < QueryLimits.Numbers && node.MsgUsed.Count() < 1000) {
            for (const auto& mark : node.MsgUsed.Sorted()) {
                numbers.insert(mark.first);
            }
        }
        if (names.size() < QueryLimits.Names) {
            names.insert(node.Name);
            for (const TAnswer answer : node.Lists.Answers()) {
                names.emplace(answer.Target);
            }
        }
    }
    for (const std::int32_t n : numbers) {
        Button2Click(ws, n);
        FUZZ_EXPECT(port.LineCount > 0, "Find Msg shows a result", std::to_string(n));
    }
    for (const std::string& name : names) {
        Button3Click(ws, name);
        FUZZ_EXPECT(port.LineCount > 0, "Find Node shows a result", name);
    }
    const TOutlineTree& tree = ws.GeneralView;
    for (std::int32_t i = 0; i < tree.Count() && i < QueryLimits.Items; ++i) {
        TreeView1Change(ws, i);
        if (tree.Item(i).Node < 0) {
            FUZZ_EXPECT(port.LineCount == 0, "an item without a node shows nothing", "");
        }
    }
    TreeView1Change(ws, -1);
    Button1Click(ws);
    std::size_t summaryLines = 0;
    for (const TNodeKeep& node : ws.Nodes) {
        summaryLines += static_cast<std::size_t>(1 + node.AnswerCount() + node.JumpCount());
    }
    FUZZ_EXPECT(port.LineCount >= summaryLines, "the node summary lists every node", "");
    Button5Click(ws);
    FUZZ_EXPECT(port.LineCount >= 2 * ws.Nodes.size(), "the body listing lists every node", "");
}

void SaveEverything(TWorkspace& ws, TRecordingPort& port, const fs::path& folder) {
    SaveTextOutput(port.Pane, (folder / "talk.prs").string());
    CheckSave(folder / "talk.prs", TextOutputBytes(port.Pane));
    SaveTreeFile(ws.GeneralView, (folder / "general.tre").string());
    CheckSave(folder / "general.tre", TreeFileBytes(ws.GeneralView));
    SaveTreeFile(ws.DialogsTree, (folder / "dialogs.tre").string());
    CheckSave(folder / "dialogs.tre", TreeFileBytes(ws.DialogsTree));
    const std::set<std::string> expected = {"talk.ipp", "talk.msg",    "scripts.lst",
                                            "talk.prs", "general.tre", "dialogs.tre"};
    std::set<std::string> present;
    for (const auto& entry : fs::directory_iterator(folder)) {
        present.insert(entry.path().filename().string());
    }
    FUZZ_EXPECT(present == expected, "saving leaves no temporary file behind", "");
}

// The differential target also compares the listing with the tokens' listing lines made here,
// reads both tree files back, and saves the pane and both trees.
void RunPipeline(std::string_view input) {
    const TInputFiles files = SplitInput(input);
    const fs::path& folder = WorkFolder();
    WriteFile(folder / "talk.ipp", files.Script);
    WriteFile(folder / "talk.msg", files.Messages);
    WriteFile(folder / "scripts.lst", files.ScriptsLst);

    // A copy of a workspace made once: making one configures its scanner, which costs more than
    // analysing a short script. The copy starts as empty as a new one; the port is emptied after
    // every run. The fast target checks each pane line as it comes and keeps none.
    constexpr TPaneKeeping keeping =
        IsDifferential ? TPaneKeeping::KeepLines : TPaneKeeping::CountOnly;
    static TRecordingPort port(keeping);
    static const TWorkspace fresh(port);
    TWorkspace ws = fresh;
    ws.ScriptsLstPath = (folder / "scripts.lst").string();
    // Both splits forced, so that every input, however short, takes the two-core road too.
    LoadScript(ws, (folder / "talk.ipp").string(), EverythingRequest, ForcedPlan);
    FUZZ_EXPECT(ws.ScriptStream.Data() == files.Script, "Load copies the script's exact bytes", "");
    FUZZ_EXPECT(ws.Scanner.TokenCount() == 0 && ws.AnalyzeEnabled, "Load leaves no tokens", "");

    port.StepStarts.clear();
    // The listing is what the differential target compares; the fast one takes Analyze's road
    // of the commands that show no listing.
    bool analyzed = true;
    try {
        AnalyzeScript(ws, {.Listing = IsDifferential}, ForcedPlan);
    } catch (const EConvertError&) {
        analyzed = false;
        // The window may breathe while the other core still reads the tables, so a step may
        // start; but nothing is shown and no node is kept.
        FUZZ_EXPECT(port.LineCount == 0 && ws.NodeCount() == 0,
                    "a bad message line ends Analyze before the pass", "");
    }
    if (analyzed && IsDifferential) {
        CheckListing(ws, port);
    }
    CheckNodes(ws);
    CheckTreeStructure(ws.GeneralView);
    if (IsDifferential) {
        CheckTree(ws.GeneralView, TreeFileBytes(ws.GeneralView));
    }

    Button4Click(ws);
    CheckDialogsTree(ws);
    CheckTreeStructure(ws.DialogsTree);
    if (IsDifferential) {
        CheckTree(ws.DialogsTree, TreeFileBytes(ws.DialogsTree));
    }

    RunQueries(ws, port);
    if (IsDifferential) {
        SaveEverything(ws, port, folder);
    }
    // Freed before the run ends: memory still held then makes libFuzzer look for a leak.
    port = TRecordingPort(keeping);
}

} // namespace
} // namespace dialoscope::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dialoscope::fuzz::RunPipeline(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
