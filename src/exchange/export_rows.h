#pragma once
// The rows translators get for one script: its messages in dialog order, each with where and
// how it is used, its original text and its translation, decoded to UTF-8. The PO, CSV and XLSX
// writers all write these rows.

#include "analysis/workspace.h"
#include "checks/message_entries.h"
#include "checks/source_change.h"
#include "text/code_page.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dialoscope {

struct TExportRow {
    std::string Script;       // the script's name without extension: "guard"
    std::string ScriptFile;   // the script's file name, for references: "guard.ipp"
    std::int32_t ScriptNumber = 0; // its line in scripts.lst, 0 when not listed
    std::int32_t Number = 0;
    std::string Node;         // the node of the first use; empty for a message no node uses
    // "NPC line", "player line" (Say(Player, ...)), "player answer -> TARGET", "not used by
    // any node"; a concatenation's part adds ", part of one line: 120 + 121".
    std::string Role;
    std::string Speaker;      // "Self", "Player" or the speaker's expression; empty when unused
    std::vector<std::int32_t> Lines; // script lines of every use, the first use first
    // The original text of the line the player heard just before the first use (see
    // TMessagePlace::Heard); empty when none.
    std::string PreviousLine;
    std::string Middle;       // the original line's middle field, often a recording's name
    std::string Original;
    std::string Translation; // empty when there is none
    // With an older original: how the original changed since; a changed one's older text and
    // the difference marked word by word ("the [-north-] {+east+} gate").
    TSourceChange Change = TSourceChange::Unchanged;
    std::string PreviousOriginal;
    std::string ChangeMarks;
};

// A byte the code page leaves undefined: shown as U+FFFD in the export, so it is reported.
struct TUndefinedByte {
    std::string File;
    std::int32_t Line = 0;
    std::int32_t Number = 0;
    unsigned char Byte = 0;
};

struct TScriptMessages {
    std::string Script;     // "guard"
    std::string ScriptFile; // "guard.ipp"
    std::int32_t ScriptNumber = 0;
    std::string MessageFile;  // names the script's message file in reports
    std::string OriginalFile; // names the original in reports, when there is one
    // The script's own message file; with an original, it is the translation.
    const TMessageEntries* Own = nullptr;
    const TMessageEntries* Original = nullptr; // null: Own is the original
    // The older original the translation was made from; null when none is compared.
    const TMessageEntries* Since = nullptr;
    std::string SinceFile; // names it in reports
};

// The rows of one analysed script. Without an original every translation is empty; with one,
// the rows are the original's messages and a translation is the own text where it differs.
std::vector<TExportRow> ExportRows(const TWorkspace& ws, const TScriptMessages& script,
                                   const TTextCodePage& codePage,
                                   std::vector<TUndefinedByte>& undefinedBytes);

} // namespace dialoscope
