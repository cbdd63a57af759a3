#include "window_commands.h"

#include "cli_port.h"
#include "standard_output.h"

#include "analysis/analyze.h"
#include "analysis/errors.h"
#include "analysis/load.h"
#include "dialogtree/dialog_tree.h"
#include "dialogtree/savers.h"
#include "dialogtree/searches.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace dialoscope {

namespace {

// What a command needs of the General View: nothing, the tree to read, or only its lines.
enum class TGeneralView : std::uint8_t { Unmade, Kept, Streamed };

// How one of the window's commands runs after Load and Analyze.
struct TWindowCommand {
    // The pane is written only by the commands that show it; the listing is streamed.
    TPaneLines Pane;
    // Only the commands that read the General View have it made; the one that writes it has
    // each item written as Analyze makes it, so a big script's tree is never held.
    TGeneralView GeneralView;
    // What its button does, with the command's argument.
    void (*Act)(TWorkspace& ws, const std::string& arg);
    // What it shows, as it stands: the pane, a tree or the counters.
    void (*Write)(const TWorkspace& ws, const TCliPort& port);
    // What it reads of what Analyze collects per node.
    TNodeRecords Records = TNodeRecords::ListsOnly;
};

void WriteBytes(std::string_view bytes) {
    WriteStandardOutput(bytes);
}

void WritePane(const TWorkspace&, const TCliPort& port) {
    WriteBytes(TextOutputBytes(port.Lines()));
}

void WriteNothing(const TWorkspace&, const TCliPort&) {}

void WriteDialogsTree(const TWorkspace& ws, const TCliPort&) {
    WriteBytes(TreeFileBytes(ws.DialogsTree));
}

void WriteCounters(const TWorkspace& ws, const TCliPort&) {
    static_assert(CounterNames.size() == std::tuple_size_v<decltype(ws.Counters)>);
    for (std::size_t i = 0; i < ws.Counters.size(); ++i) {
        WriteBytes(CounterNames[i]);
        WriteBytes(": ");
        WriteBytes(ws.Counters[i]);
        WriteBytes("\r\n");
    }
}

void ActNot(TWorkspace&, const std::string&) {}

void ActBuildDialogs(TWorkspace& ws, const std::string&) {
    Button4Click(ws);
}

void ActFindMsg(TWorkspace& ws, const std::string& number) {
    // The command line checked the number before anything was loaded.
    Button2Click(ws, *ParseMessageNumber(number));
}

void ActFindNode(TWorkspace& ws, const std::string& name) {
    Button3Click(ws, name);
}

// The first top-level General View item captioned name, or -1.
std::int32_t FindTopLevelItem(const TOutlineTree& tree, const std::string& name) {
    for (std::int32_t row = 0; row < tree.TopLevelCount(); ++row) {
        const std::int32_t item = tree.ChildAt(TOutlineTree::NoParent, row);
        if (tree.Item(item).Caption == name) {
            return item;
        }
    }
    return -1;
}

void ActShowNodeText(TWorkspace& ws, const std::string& name) {
    const std::int32_t item = FindTopLevelItem(ws.GeneralView, name);
    ws.Port.ClearOutput();
    if (item >= 0) {
        TreeView1Change(ws, item);
    }
}

// On an error the output as it stood is written, then the error as the last line on standard
// error, exit status 1.
int RunWindowCommand(const TWindowCommand& command, const TCliCall& call) {
    // Output is binary: CR LF must reach the file unchanged.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);

    TCliPort port(command.Pane, command.GeneralView != TGeneralView::Unmade, command.Records);
    TWorkspace ws(port);
    ws.ScriptsLstPath = ScriptsLstOf(call);
    if (command.GeneralView == TGeneralView::Streamed) {
        ws.GeneralView.StreamTo(
            [line = std::string()](std::int32_t depth, std::string_view caption) mutable {
                line.clear();
                AppendTreeLine(line, depth, caption);
                WriteBytes(line);
            });
    }
    try {
        mnLoadClick(ws, call.Script);
        sbRestartClick(ws);
        command.Act(ws, call.Arg);
    } catch (const std::exception& error) {
        // Out of memory and the like too: still a clear message, never a crash.
        command.Write(ws, port);
        FlushStandardOutput();
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    command.Write(ws, port);
    // The workspace of a big script holds millions of small blocks; ending the process gives
    // them back at once, where destroying the workspace would free them one by one.
    std::_Exit(FinishStandardOutput(0));
}

} // namespace

int RunListing(const TCliCall& call) {
    return RunWindowCommand(
        {TPaneLines::Stream, TGeneralView::Unmade, ActNot, WriteNothing, TNodeRecords::Unread},
        call);
}

int RunGeneral(const TCliCall& call) {
    return RunWindowCommand({TPaneLines::Discard, TGeneralView::Streamed, ActNot, WriteNothing},
                            call);
}

int RunDialogs(const TCliCall& call) {
    return RunWindowCommand(
        {TPaneLines::Discard, TGeneralView::Unmade, ActBuildDialogs, WriteDialogsTree}, call);
}

int RunFindMsg(const TCliCall& call) {
    return RunWindowCommand(
        {TPaneLines::Keep, TGeneralView::Unmade, ActFindMsg, WritePane, TNodeRecords::All}, call);
}

int RunFindNode(const TCliCall& call) {
    return RunWindowCommand({TPaneLines::Keep, TGeneralView::Unmade, ActFindNode, WritePane}, call);
}

int RunNodeText(const TCliCall& call) {
    return RunWindowCommand({TPaneLines::Keep, TGeneralView::Kept, ActShowNodeText, WritePane},
                            call);
}

int RunHeader(const TCliCall& call) {
    return RunWindowCommand(
        {TPaneLines::Discard, TGeneralView::Unmade, ActNot, WriteCounters, TNodeRecords::Unread},
        call);
}

std::optional<std::int32_t> ParseMessageNumber(const std::string& text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || ptr != end || text.empty()) {
        return std::nullopt;
    }
    // Out-of-range numbers are clamped by Find Msg itself; keep them within 32 bits here.
    value = std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX);
    return static_cast<std::int32_t>(value);
}

} // namespace dialoscope
