// dialoscope-cli: the window's commands without a window. Each command loads SCRIPT, analyses
// it and writes to standard output exactly the bytes that the window's Save or Tree Save would
// write for the result.

#include "check_command.h"
#include "cli_port.h"

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
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace dialoscope;

constexpr const char* Usage =
    "Usage: dialoscope-cli [--scripts-lst FILE] COMMAND SCRIPT [ARG]\n"
    "       dialoscope-cli [--scripts-lst FILE] check SCRIPT... [--against ORIGINAL]\n"
    "                      [--format text|json]\n"
    "\n"
    "Loads SCRIPT (a dialog script), analyses it and writes the result to standard output,\n"
    "byte for byte as the window's Save or Tree Save would write it (CR LF line ends).\n"
    "\n"
    "Commands:\n"
    "  listing SCRIPT          the token listing\n"
    "  general SCRIPT          the General View tree\n"
    "  dialogs SCRIPT          the Dialogs Tree\n"
    "  find-msg SCRIPT N       the nodes that use message number N\n"
    "  find-node SCRIPT NAME   the nodes that lead to node NAME\n"
    "  node-text SCRIPT NAME   the source text of node NAME\n"
    "  header SCRIPT           the five counters, one per line\n"
    "  check SCRIPT...         checks each script: messages the nodes use that its message\n"
    "                          file lacks, unused and duplicate messages, bad message lines,\n"
    "                          references into other scripts, answers and calls that name no\n"
    "                          node, unreachable nodes, dead ends, forward declarations\n"
    "                          without a node; one line per finding, FILE:LINE: KIND: TEXT\n"
    "                          (LINE 0: the whole file); with several scripts a summary line\n"
    "                          with the counts per kind follows. Exit status 1 when any\n"
    "                          finding is an error, else 0. Options may follow the command:\n"
    "    --against ORIGINAL    compare the script's message file, a translation, with the\n"
    "                          original message file ORIGINAL (with several scripts, a folder\n"
    "                          holding the originals under the same names)\n"
    "    --format json         one JSON array of {file, line, kind, severity, node, message,\n"
    "                          text}; bytes >= 128 are written as \\u00XX (one escape per\n"
    "                          byte); the summary line goes to standard error\n"
    "\n"
    "Options:\n"
    "  --scripts-lst FILE      read the script list from FILE instead of the program's folder\n"
    "  --help                  show this text\n"
    "\n"
    "Message boxes go to standard error, one line each. An error that ends the command is the\n"
    "last line on standard error, with exit status 1; wrong usage exits with status 2.\n"
    "Options come before the command, except that check takes its options anywhere.\n";

enum class TCommand { Listing, General, Dialogs, FindMsg, FindNode, NodeText, Header };

struct TCommandSpec {
    const char* Name;
    TCommand Command;
    bool TakesArg;
};

constexpr TCommandSpec Commands[] = {
    {"listing", TCommand::Listing, false},   {"general", TCommand::General, false},
    {"dialogs", TCommand::Dialogs, false},   {"find-msg", TCommand::FindMsg, true},
    {"find-node", TCommand::FindNode, true}, {"node-text", TCommand::NodeText, true},
    {"header", TCommand::Header, false},
};

struct TInvocation {
    TCommand Command = TCommand::Listing;
    std::string Script;
    std::string Arg;
    std::optional<std::string> ScriptsLst;
};

int UsageError(const std::string& why) {
    std::cerr << "dialoscope-cli: " << why << "\n\n" << Usage;
    return 2;
}

std::string ProgramFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return ".";
    }
    return exe.parent_path().string();
}

void WriteBytes(std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void WriteLines(const std::vector<std::string>& lines) {
    WriteBytes(TextOutputBytes(lines));
}

void WriteCounters(const TWorkspace& ws) {
    static constexpr const char* Names[] = {"script", "msg", "units", "vars", "func"};
    for (std::size_t i = 0; i < ws.Counters.size(); ++i) {
        WriteBytes(Names[i]);
        WriteBytes(": ");
        WriteBytes(ws.Counters[i]);
        WriteBytes("\r\n");
    }
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

// Runs the command after Load and Analyze.
void RunCommand(TWorkspace& ws, const TInvocation& call) {
    switch (call.Command) {
    case TCommand::Dialogs:
        Button4Click(ws);
        break;
    case TCommand::FindMsg:
        Button2Click(ws, *ParseMessageNumber(call.Arg));
        break;
    case TCommand::FindNode:
        Button3Click(ws, call.Arg);
        break;
    case TCommand::NodeText: {
        const std::int32_t item = FindTopLevelItem(ws.GeneralView, call.Arg);
        ws.Port.ClearOutput();
        if (item >= 0) {
            TreeView1Change(ws, item);
        }
        break;
    }
    default:
        break;
    }
}

// The pane is written only by the commands that show it; the listing is streamed.
TPaneLines PaneLinesFor(TCommand command) {
    switch (command) {
    case TCommand::Listing:
        return TPaneLines::Stream;
    case TCommand::General:
    case TCommand::Dialogs:
    case TCommand::Header:
        return TPaneLines::Discard;
    default:
        return TPaneLines::Keep;
    }
}

// Only these read the General View; the others leave it unmade.
bool ShowsGeneralView(TCommand command) {
    return command == TCommand::General || command == TCommand::NodeText;
}

// What the command shows, as it stands: the pane, a tree or the counters.
void WriteResult(const TWorkspace& ws, const TCliPort& port, TCommand command) {
    switch (command) {
    case TCommand::Listing:
        break; // streamed as it was produced
    case TCommand::General:
        WriteBytes(TreeFileBytes(ws.GeneralView));
        break;
    case TCommand::Dialogs:
        WriteBytes(TreeFileBytes(ws.DialogsTree));
        break;
    case TCommand::Header:
        WriteCounters(ws);
        break;
    default:
        WriteLines(port.Lines());
        break;
    }
}

std::optional<TInvocation> ParseArguments(int argc, char** argv, int& exitCode) {
    std::vector<std::string> args(argv + 1, argv + argc);
    TInvocation call;
    std::size_t i = 0;
    while (i < args.size() && args[i].rfind("--", 0) == 0) {
        if (args[i] == "--help") {
            std::cout << Usage;
            exitCode = 0;
            return std::nullopt;
        }
        if (args[i] == "--scripts-lst" && i + 1 < args.size()) {
            call.ScriptsLst = args[i + 1];
            i += 2;
            continue;
        }
        exitCode = UsageError("unknown or incomplete option '" + args[i] + "'");
        return std::nullopt;
    }
    if (i >= args.size()) {
        exitCode = UsageError("no command given");
        return std::nullopt;
    }
    const TCommandSpec* chosen = nullptr;
    for (const auto& candidate : Commands) {
        if (args[i] == candidate.Name) {
            chosen = &candidate;
        }
    }
    if (chosen == nullptr) {
        exitCode = UsageError("unknown command '" + args[i] + "'");
        return std::nullopt;
    }
    const std::size_t expected = chosen->TakesArg ? 3 : 2;
    if (args.size() - i != expected) {
        exitCode = UsageError(std::string("'") + chosen->Name + "' takes " +
                              (chosen->TakesArg ? "SCRIPT and one argument" : "one SCRIPT"));
        return std::nullopt;
    }
    call.Command = chosen->Command;
    call.Script = args[i + 1];
    if (chosen->TakesArg) {
        call.Arg = args[i + 2];
    }
    if (call.Command == TCommand::FindMsg && !ParseMessageNumber(call.Arg)) {
        exitCode = UsageError("'" + call.Arg + "' is not a message number");
        return std::nullopt;
    }
    return call;
}

} // namespace

int main(int argc, char** argv) {
    if (IsCheckCommand(argc, argv)) {
        return RunCheckCommand(argc, argv, ProgramFolder() + "/scripts.lst");
    }
    int exitCode = 0;
    const auto call = ParseArguments(argc, argv, exitCode);
    if (!call) {
        return exitCode;
    }
    // Output is binary: CR LF must reach the file unchanged.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);

    TCliPort port(PaneLinesFor(call->Command), ShowsGeneralView(call->Command));
    TWorkspace ws(port);
    ws.ScriptsLstPath = call->ScriptsLst ? *call->ScriptsLst : ProgramFolder() + "/scripts.lst";
    try {
        mnLoadClick(ws, call->Script);
        sbRestartClick(ws);
        RunCommand(ws, *call);
    } catch (const EDialoscopeError& error) {
        WriteResult(ws, port, call->Command);
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    } catch (const std::exception& error) {
        // Out of memory and the like: still a clear message, never a crash.
        WriteResult(ws, port, call->Command);
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    WriteResult(ws, port, call->Command);
    const int status = std::fflush(stdout) == 0 ? 0 : 1;
    // The workspace of a big script holds millions of small blocks; ending the process gives
    // them back at once, where destroying the workspace would free them one by one.
    std::_Exit(status);
}
