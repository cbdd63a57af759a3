#pragma once
// RunChecks: every check over one analysed script, findings in a stable order. What the window's
// Problems pane and dialoscope-cli check show.

#include "finding.h"
#include "other_script_numbers.h"

#include "analysis/line_store.h"
#include "analysis/workspace.h"
#include "text/code_page.h"
#include "pipeline/quiet_session.h"

#include <optional>
#include <string>
#include <vector>

namespace dialoscope {

struct TCheckOptions {
    // The path the script was loaded from: it names the script in findings, its ".msg" twin
    // names the message file, and its folder holds other scripts' message files.
    std::string ScriptPath;
    // The original message file, when the script's message file is a translation to compare.
    const TLineStore* Original = nullptr;
    std::string OriginalPath; // names the original in findings
    // The older original the translation was made from: each text of the original (of the
    // script's own message file without one) that differs from it is a changed-source finding.
    const TLineStore* Since = nullptr;
    // The code page whose words the changed-source findings mark; null: windows-1252.
    const TTextCodePage* CodePage = nullptr;
    // What other scripts' message files hold, shared by the scripts of a project run (each
    // script's own folder and scripts.lst must be the ones it was made for); null: this run reads
    // the message files it needs itself.
    TOtherScriptNumbers* OtherScripts = nullptr;
};

// After Load and a complete Analyze of options.ScriptPath in ws: the message file on its own,
// the message uses, the translation comparison (with an original) and the dialog health.
std::vector<TFinding> RunChecks(const TWorkspace& ws, const TCheckOptions& options);

// The checks that need only Load: the message file on its own and the translation comparison.
// For a script whose Analyze failed (a bad message line stops it before any node is read).
std::vector<TFinding> RunMessageFileChecks(const TWorkspace& ws, const TCheckOptions& options);

// The findings of a script a quiet session opened: RunChecks when nothing stopped it, else the
// finding of what stopped it first, followed, if Load was done, by RunMessageFileChecks.
std::vector<TFinding> RunSessionChecks(const TWorkspace& ws,
                                       const std::optional<TSessionStop>& stop,
                                       const TCheckOptions& options);

// The original message file a script's translation is compared with (see OriginalMessageFile):
// read when made, and options pointed at it. One that cannot be read leaves
// the script to be checked without the comparison, and is a finding of its own.
class TCheckOriginal {
public:
    TCheckOriginal(const std::optional<std::string>& against, TCheckOptions& options);
    // Adds the finding of an original that could not be read, in order; false when there is none.
    bool AddMissing(std::vector<TFinding>& findings);

private:
    TLineStore Lines_;
    std::optional<TFinding> Missing_;
};

// The message file that Load reads beside the script.
std::string MessageFilePath(const std::string& scriptPath);

// True for a folder; false for a file or a path that cannot be read (whose reader names it).
bool IsFolder(const std::string& path);

// The original of messageFile (a path or a bare name) as --against names it: against itself (one
// script's original), or the file of messageFile's name in the folder against names.
std::optional<std::string> OriginalMessageFile(const std::optional<std::string>& against,
                                               const std::string& messageFile);

} // namespace dialoscope
