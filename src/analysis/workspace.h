#pragma once
// TWorkspace: the whole state of one window (or one command-line run): the scanner, the loaded
// input, the analysis tables and the two trees. The window, the command-line tool and each
// test own one; there is no global state.

#include "line_store.h"
#include "outline_tree.h"
#include "port.h"
#include "shared_nodes.h"
#include "tables.h"

#include "scanner/memory_stream.h"
#include "scanner/scanner.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dialoscope {

// Appends a line to port's output pane, each tab replaced by two spaces; a line break inside it
// (CR LF, CR or LF) starts another pane line.
void AppendPaneLines(TPort& port, std::string_view line);

struct TWorkspace {
    explicit TWorkspace(TPort& port);

    TPort& Port;
    TScanner Scanner; // configured for dialog scripts

    // Load's results.
    std::string Caption = "Dialoscope";
    std::string IntFileName;
    std::string SaveOutputPreset; // proposed name in the Save dialog
    std::string SaveTreePreset;   // proposed name in the Tree Save dialog
    std::string ScriptsLstPath;   // where Load reads scripts.lst from
    TLineStore Rich;              // the script's lines
    TLineStore Rich2;             // scratch
    TLineStore MsgRich;           // the message file's lines
    TLineStore IntRich;           // the lines of scripts.lst
    TMemoryStream ScriptStream;   // the script's exact bytes

    // Analyze's results.
    TSharedNodes Nodes; // NodeCount = Nodes.size()
    TMsgKeepArray MsgTable;
    TIntKeepArray ScriptList;
    std::int32_t ScriptIndex = 0;
    std::string MsgFileName;
    std::vector<std::string> Units, Vars, Funcs; // entries above a shorter run's count stay
    // The count of the forward-declaration section read most recently in this Analyze.
    std::int32_t ForwardCount = 0;
    // How many tokens of the last Analyze the second core walked and the first core took as its
    // own (see TSecondHalf); 0 when one core walked them all.
    std::int64_t SecondCoreTokens = 0;
    // How many tokens of the last Analyze's scan the second core read and the first took.
    std::int32_t TokensReadAhead = 0;
    std::array<std::string, 5> Counters{"*", "*", "*", "*", "*"};

    TOutlineTree GeneralView; // TreeView1
    TOutlineTree DialogsTree; // TreeView2

    // Command availability; never goes back to false.
    bool AnalyzeEnabled = false;
    bool AnalysisCommandsEnabled = false; // Build Dialog Tree, Search Msg, Tree Save, Properties

    std::int32_t NodeCount() const { return static_cast<std::int32_t>(Nodes.size()); }
    void SetCounter(TCounter counter, std::string caption);
    void AppendOutput(std::string_view line) { AppendPaneLines(Port, line); }
};

} // namespace dialoscope
