#pragma once
// TProject: a scripts.lst and the folder it lies in. List line j names script j ("name.int");
// its script file is "name.ipp" in the list's folder: the exact name if there is one, else a
// file whose name differs only in ASCII letter case. A project reads only files in its own
// folder, so a name holding a folder separator or naming "." or ".." is never opened, and a
// script or message file that is a symbolic link is read only when it leads to a file inside
// the folder (or a folder below it).

#include "checks/finding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dialoscope {

enum class TScriptFileState : std::uint8_t {
    Found,     // ScriptPath is the script file
    Missing,   // no file of that name (in any letter case) in the folder
    NoName,    // the line names no script (no blank after a name, or nothing before it)
    BadName,   // the name would read outside the folder
    Duplicate, // an earlier line names the same file
    LinkOut,   // the script or its message file is a link that leads outside the folder
};

struct TProjectScript {
    std::int32_t ListNumber = 0; // the scripts.lst line (1-based); 0 when the list has none
    std::string ListName;        // the name as the line gives it ("guard.int"), or the script path
    // Found and Duplicate: the file as it is named on disk; Missing: the path looked for.
    std::string ScriptPath;
    TScriptFileState State = TScriptFileState::Found;
    std::int32_t FirstListNumber = 0; // Duplicate: the earlier line naming the same file
    std::string OutsideLink;          // LinkOut: the link, as the folder names it
};

struct TProject {
    std::string ListPath; // the scripts.lst: references "j,number" resolve through it
    std::string Folder;   // the list's folder: "." when the path names no folder
    std::vector<TProjectScript> Scripts; // one per list line that names something, in list order
};

// Reads the list and resolves each line. A line of nothing but blanks is passed over; a line
// naming no script is kept (NoName) so its number stays in place. Throws EFOpenError when the
// list cannot be read (a folder, no such file, no permission).
TProject OpenProject(const std::string& listPath);

// Scripts named one by one (dialoscope-cli stats SCRIPT...): each is Found as given, numbered
// as scripts.lst at scriptsLst numbers it (0 when it is not listed or the list is unreadable).
TProject ProjectOfScripts(const std::vector<std::string>& scriptPaths,
                          const std::string& scriptsLst);

// What scripts.lst says about a script that is not analysed: its finding (at the list line,
// source ScriptList) and the row status; nothing for a Found script.
std::optional<TFinding> ListFinding(const TProject& project, const TProjectScript& script);
std::string ListStatus(const TProjectScript& script);

} // namespace dialoscope
