#include "project.h"

#include "analysis/errors.h"
#include "analysis/folder_bounds.h"
#include "analysis/line_store.h"
#include "analysis/load.h"
#include "analysis/message_file.h"
#include "checks/other_script_messages.h"
#include "scanner/ascii.h"

#include <filesystem>
#include <map>
#include <system_error>

namespace dialoscope {

namespace {

bool IsRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// A name that stays inside the folder: no separator of any system, not "." or "..", no NUL.
bool StaysInFolder(std::string_view name) {
    return name.find_first_of(std::string_view("/\\:\0", 4)) == std::string_view::npos &&
           name != "." && name != "..";
}

// The first of the script and its message file that is a link leading outside the folder.
std::optional<std::string> LinkOutOf(const TProject& project, const std::string& scriptPath) {
    for (const std::string& path : {scriptPath, ChangeFileExt(scriptPath, ".msg")}) {
        if (LeadsOutsideFolder(project.Folder, path)) {
            return path;
        }
    }
    return std::nullopt;
}

// The list's folder, read once: file names by their ASCII lower case, the first in byte order
// when several differ only in letter case, so the choice does not depend on the file system.
class TFolderNames {
public:
    explicit TFolderNames(std::string folder) : Folder_(std::move(folder)) {}

    // The file's name on disk, or nothing.
    std::optional<std::string> Find(const std::string& name) {
        if (IsRegularFile(std::filesystem::path(Folder_) / name)) {
            return name;
        }
        ReadOnce();
        const auto it = ByLower_.find(AsciiLowerCase(name));
        if (it == ByLower_.end()) {
            return std::nullopt;
        }
        return it->second;
    }

private:
    void ReadOnce() {
        if (Read_) {
            return;
        }
        Read_ = true;
        std::error_code error;
        for (std::filesystem::directory_iterator it(Folder_, error), end; !error && it != end;
             it.increment(error)) {
            if (!IsRegularFile(it->path())) {
                continue;
            }
            const std::string name = it->path().filename().string();
            const auto [at, added] = ByLower_.emplace(AsciiLowerCase(name), name);
            if (!added && name < at->second) {
                at->second = name;
            }
        }
    }

    std::string Folder_;
    bool Read_ = false;
    std::map<std::string, std::string> ByLower_;
};

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder == "." ? name : folder + "/" + name;
}

TProjectScript ResolveLine(std::int32_t number, std::string_view line, const TProject& project,
                           TFolderNames& names, std::map<std::string, std::int32_t>& seen) {
    TProjectScript script;
    script.ListNumber = number;
    script.ListName = std::string(ScriptListName(line));
    if (script.ListName.empty()) {
        script.ListName = std::string(line);
        script.State = TScriptFileState::NoName;
        return script;
    }
    if (!StaysInFolder(script.ListName)) {
        script.State = TScriptFileState::BadName;
        return script;
    }
    const std::string fileName = ChangeFileExt(script.ListName, ".ipp");
    const std::optional<std::string> onDisk = names.Find(fileName);
    script.ScriptPath = InFolder(project.Folder, onDisk.value_or(fileName));
    if (!onDisk) {
        script.State = TScriptFileState::Missing;
        return script;
    }
    if (const std::optional<std::string> link = LinkOutOf(project, script.ScriptPath)) {
        script.State = TScriptFileState::LinkOut;
        script.OutsideLink = FileNamePart(*link);
        return script;
    }
    const auto [first, added] = seen.emplace(*onDisk, number);
    if (!added) {
        script.State = TScriptFileState::Duplicate;
        script.FirstListNumber = first->second;
    }
    return script;
}

} // namespace

TProject OpenProject(const std::string& listPath) {
    std::error_code error;
    if (std::filesystem::is_directory(listPath, error)) {
        throw EFOpenError(listPath); // a folder reads as no lines, not as an error
    }
    TLineStore lines;
    lines.LoadFromFile(listPath);
    TProject project;
    project.ListPath = listPath;
    project.Folder = FolderOf(listPath);
    TFolderNames names(project.Folder);
    std::map<std::string, std::int32_t> seen;
    for (std::int32_t j = 1; j <= lines.Count(); ++j) {
        const std::string_view line = lines.Line(j - 1);
        if (!IsBlankLine(line)) {
            project.Scripts.push_back(ResolveLine(j, line, project, names, seen));
        }
    }
    return project;
}

TProject ProjectOfScripts(const std::vector<std::string>& scriptPaths,
                          const std::string& scriptsLst) {
    TProject project;
    project.ListPath = scriptsLst;
    project.Folder = FolderOf(scriptsLst);
    TLineStore lines;
    try {
        lines.LoadFromFile(scriptsLst);
    } catch (const EDialoscopeError&) {
        // Unlisted scripts are numbered 0; each script's own Load reports the list.
    }
    for (const std::string& path : scriptPaths) {
        TProjectScript script;
        script.ListName = path;
        script.ScriptPath = path;
        TIntKeepArray list;
        LoadScriptList(list, lines, ChangeFileExt(FileNamePart(path), ".int"), script.ListNumber);
        project.Scripts.push_back(std::move(script));
    }
    return project;
}

std::optional<TFinding> ListFinding(const TProject& project, const TProjectScript& script) {
    const auto finding = [&](TFindingKind kind, std::string text) {
        return MakeFinding(kind, TFindingSource::ScriptList, project.ListPath, script.ListNumber,
                           std::move(text));
    };
    switch (script.State) {
    case TScriptFileState::Found:
        return std::nullopt;
    case TScriptFileState::Missing:
        return finding(TFindingKind::MissingScript, "script " +
                                                        Quoted(FileNamePart(script.ScriptPath)) +
                                                        " is not in " + project.Folder);
    case TScriptFileState::NoName:
        return finding(TFindingKind::BadScriptName,
                       "line names no script: " + Quoted(script.ListName));
    case TScriptFileState::BadName:
        return finding(TFindingKind::BadScriptName,
                       "script name " + Quoted(script.ListName) +
                           " leads outside the project's folder; not read");
    case TScriptFileState::Duplicate:
        return finding(TFindingKind::DuplicateScript,
                       "script " + Quoted(FileNamePart(script.ScriptPath)) + " is named on line " +
                           std::to_string(script.FirstListNumber) + " too");
    case TScriptFileState::LinkOut:
        return finding(TFindingKind::BadScriptName,
                       Quoted(script.OutsideLink) +
                           " is a link that leads outside the project's folder; not read");
    }
    return std::nullopt;
}

std::string ListStatus(const TProjectScript& script) {
    switch (script.State) {
    case TScriptFileState::Found:
        return "ok";
    case TScriptFileState::Missing:
        return "missing";
    case TScriptFileState::NoName:
        return "no script named";
    case TScriptFileState::BadName:
        return "bad script name";
    case TScriptFileState::Duplicate:
        return "duplicate of line " + std::to_string(script.FirstListNumber);
    case TScriptFileState::LinkOut:
        return "link outside the folder";
    }
    return {};
}

} // namespace dialoscope
