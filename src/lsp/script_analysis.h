#pragma once
// TScriptAnalysis: one script analysed from what the editor holds. The adapter between the
// server and the core: the script, its message file and scripts.lst come from open documents
// where the editor has them (encoded to the code page) and from disk otherwise, go through the
// core's Analyze and every check as dialoscope-cli check runs them, and stay together with the
// texts their line and byte places refer to. Made by one plain single-threaded call.

#include "encoded_text.h"
#include "pipeline/analysed_script.h"

#include "analysis/node_names.h"
#include "analysis/port.h"
#include "analysis/workspace.h"
#include "checks/dialog_reach.h"
#include "checks/finding.h"
#include "checks/message_entries.h"
#include "checks/script_places.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dialoscope::lsp {

// Where the analysis reads files: an open document's text, else the file on disk.
class TFileSource {
public:
    virtual ~TFileSource() = default;
    // Nothing when the file is neither open nor readable.
    virtual std::optional<TEncodedText> Read(const std::string& path) const = 0;
};

struct TAnalysisInput {
    std::string ScriptPath;
    std::string ListPath;                    // the project's scripts.lst; may not exist
    std::optional<std::string> OriginalPath; // the original message file, with originalFolder
    bool WithChecks = true; // false: only the node records and places (the project index)
};

struct TScriptAnalysis {
    TAnalysisInput Input;
    std::string MessagePath;
    TEncodedText Script;
    TEncodedText Messages; // empty when the message file could not be read
    bool MessagesFound = false;
    bool Analysed = false; // Analyze ran to its end
    std::vector<TFinding> Findings;

    TSharedScript Shared;           // the analysed script, read only
    const TWorkspace* Ws = nullptr; // Shared's workspace
    TMessageEntries Entries;        // views into Ws->MsgRich
    std::unique_ptr<TNodeNames> Names;
    TDialogReach Reach;
    std::vector<TForwardDeclaration> Forwards;
    // Every message use of every node, with the node that holds it.
    struct TNodeMsgUse {
        std::int32_t Node = -1;
        TMsgUse Use;
    };
    std::vector<TNodeMsgUse> MsgUses;

    // The node holding a 1-based script line: the last node whose "function" line is at or
    // before it; -1 when none.
    std::int32_t NodeAtLine(std::int32_t line) const;
    // The node a name stands for, -1 when none.
    std::int32_t FindNode(std::string_view name) const;
    // The message entry on a 0-based line of the message file, null when none.
    const TMessageEntry* EntryAtLine(std::int32_t line) const;
};

// scriptText: the script itself (an open document's, or the file's bytes).
std::unique_ptr<TScriptAnalysis> AnalyseScript(const TAnalysisInput& input, TEncodedText scriptText,
                                               const TFileSource& files);

} // namespace dialoscope::lsp
