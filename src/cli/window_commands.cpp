#include "window_commands.h"

#include "cli_port.h"
#include "error_lines.h"
#include "standard_output.h"

#include "dialogtree/dialog_tree.h"
#include "dialogtree/savers.h"
#include "dialogtree/searches.h"
#include "pipeline/quiet_session.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace dialoscope {

namespace {

// What a command needs of the General View: nothing, the tree to read, or only its lines.
enum class TGeneralView : std::uint8_t { Unmade, Kept, Streamed };

// What a command reads of what Analyze collects per node.
enum class TNodeRecords : std::uint8_t {
    Unread,    // the listing and the counters
    ListsOnly, // said lines, answers, calls and message uses, not the messages' marks
    All,       // the marks too, which only Search Msg looks a message up in
};

// How one of the window's commands runs after Load and Analyze.
struct TWindowCommand {
    // The pane is written only by the commands that show it; the listing is streamed, and so
    // are the searches' lines once Analyze is done, which only counts the listing's.
    TPaneLines Pane;
    // Only the commands that read the General View have it made; the one that writes it has
    // each item written as Analyze makes it, so a big script's tree is never held.
    TGeneralView GeneralView;
    // What its button does, with the command's argument.
    void (*Act)(TWorkspace& ws, const std::string& arg);
    // What it shows that was not written as it came: the counters.
    void (*Write)(const TWorkspace& ws);
    // What it reads of what Analyze collects per node.
    TNodeRecords Records = TNodeRecords::ListsOnly;
    // What its button is doing, for a message should memory run out there.
    std::string_view Doing = {};
};

void WriteNothing(const TWorkspace&) {}

void WriteCounters(const TWorkspace& ws) {
    static_assert(CounterNames.size() == std::tuple_size_v<decltype(ws.Counters)>);
    for (std::size_t i = 0; i < ws.Counters.size(); ++i) {
        WriteStandardOutput(CounterNames[i]);
        WriteStandardOutput(": ");
        WriteStandardOutput(ws.Counters[i]);
        WriteStandardOutput("\r\n");
    }
}

// Each item's line of the tree file as the item is added, so that a tree of any size (the tree
// file of a chain of n nodes holds n*n/2 tabs) costs one line of memory.
void StreamTreeFile(TOutlineTree& tree) {
    tree.StreamTo([line = std::string()](std::int32_t depth, std::string_view caption) mutable {
        line.clear();
        AppendTreeLine(line, depth, caption);
        WriteStandardOutput(line);
    });
}

void ActNot(TWorkspace&, const std::string&) {}

void ActBuildDialogs(TWorkspace& ws, const std::string&) {
    StreamTreeFile(ws.DialogsTree);
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

TAnalyzeRequest RequestOf(const TWindowCommand& command) {
    return {.Listing = command.Pane != TPaneLines::Discard,
            .GeneralView = command.GeneralView != TGeneralView::Unmade,
            .NodeLists = command.Records != TNodeRecords::Unread,
            .MsgMarks = command.Records == TNodeRecords::All};
}

// Message boxes on standard error; what stopped Load or Analyze kept as the lines that end the
// command.
class TWindowCommandSink : public TStandardErrorSink {
public:
    void Stopped(TSessionStep step, const std::exception& error) override {
        Lines = ErrorLines(error, step == TSessionStep::Load ? "loading the script"
                                                             : "analysing the script");
    }

    std::string Lines;
};

// Load, Analyze and the command's button; the error lines of what stopped them, empty when
// nothing did.
std::string RunSteps(const TWindowCommand& command, const TCliCall& call, TQuietSession& session,
                     TWindowCommandSink& sink, TCliPort& port) {
    if (!session.Open(call.Script, ScriptsLstOf(call))) {
        return sink.Lines;
    }
    port.StreamFromHere();
    try {
        command.Act(session.Workspace(), call.Arg);
    } catch (const std::exception& error) {
        return ErrorLines(error, command.Doing);
    }
    return {};
}

// The pane as it stood when Load or Analyze stopped a command whose pane only counted the
// listing's lines: the listing's first lines, read again by a second, quiet run (whose message
// boxes the first run already showed), which stops wherever the first one did.
void WriteListingHead(const TCliCall& call, std::size_t lines) {
    if (lines == 0) {
        return;
    }
    TCliPort port(TPaneLines::Stream);
    port.StreamAtMost(lines);
    TKeptReport unshown; // its message boxes and what stops it, the first run showed
    TQuietSession session(
        {.Listing = true, .GeneralView = false, .NodeLists = false, .MsgMarks = false}, unshown,
        &port);
    session.Open(call.Script, ScriptsLstOf(call));
}

// On an error the output as it stood is written, then the error as the last line on standard
// error (a second line where the error's own text leaves out what ran out or failed), exit
// status 1.
int RunWindowCommand(const TWindowCommand& command, const TCliCall& call) {
    // Output is binary: CR LF must reach the file unchanged.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);

    TCliPort port(command.Pane);
    TWindowCommandSink sink;
    auto session = std::make_unique<TQuietSession>(RequestOf(command), sink, &port);
    if (command.GeneralView == TGeneralView::Streamed) {
        StreamTreeFile(session->Workspace().GeneralView);
    }
    const std::string error = RunSteps(command, call, *session, sink, port);
    if (port.StillCounting()) {
        // Stopped before its own lines: its memory goes back before the listing is read again.
        session.reset();
        WriteListingHead(call, port.CountedLines());
    } else {
        command.Write(session->Workspace());
    }
    if (!error.empty()) {
        // The output as it stood goes first, so that the error stays the last line.
        FlushStandardOutput();
        std::fputs(error.c_str(), stderr);
        return 1;
    }
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
    return RunWindowCommand({TPaneLines::Discard, TGeneralView::Unmade, ActBuildDialogs,
                             WriteNothing, TNodeRecords::ListsOnly, "building the Dialogs Tree"},
                            call);
}

int RunFindMsg(const TCliCall& call) {
    return RunWindowCommand({TPaneLines::CountThenStream, TGeneralView::Unmade, ActFindMsg,
                             WriteNothing, TNodeRecords::All, "finding the message's nodes"},
                            call);
}

int RunFindNode(const TCliCall& call) {
    return RunWindowCommand({TPaneLines::CountThenStream, TGeneralView::Unmade, ActFindNode,
                             WriteNothing, TNodeRecords::ListsOnly,
                             "finding the nodes that lead to the node"},
                            call);
}

int RunNodeText(const TCliCall& call) {
    return RunWindowCommand({TPaneLines::CountThenStream, TGeneralView::Kept, ActShowNodeText,
                             WriteNothing, TNodeRecords::ListsOnly, "showing the node's text"},
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
