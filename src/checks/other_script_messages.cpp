#include "other_script_messages.h"

#include "analysis/errors.h"
#include "analysis/folder_bounds.h"
#include "analysis/load.h"
#include "scanner/ascii.h"

#include <filesystem>
#include <system_error>

namespace dialoscope {

namespace {

bool IsRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

TOtherScriptMessages::TOtherScriptMessages(const TIntKeepArray& scriptList,
                                           std::string scriptFolder)
    : List_(scriptList), Folder_(scriptFolder.empty() ? "." : std::move(scriptFolder)) {}

const TOtherScript& TOtherScriptMessages::Script(std::int32_t scriptNumber) {
    auto& slot = Cache_[scriptNumber];
    if (!slot) {
        slot = Load(scriptNumber);
    }
    return *slot;
}

// scripts.lst comes from a game that ignores letter case in file names, so "Other.INT" may
// stand for "other.msg" on a disk that does not.
std::string TOtherScriptMessages::FindBeside(const std::string& fileName) const {
    const std::filesystem::path exact = std::filesystem::path(Folder_) / fileName;
    if (IsRegularFile(exact)) {
        return exact.string();
    }
    std::error_code error;
    for (std::filesystem::directory_iterator it(Folder_, error), end; !error && it != end;
         it.increment(error)) {
        if (EqualIgnoringAsciiCase(it->path().filename().string(), fileName) &&
            IsRegularFile(it->path())) {
            return it->path().string();
        }
    }
    return {};
}

TOtherScriptAnswer TOtherScriptMessages::Ask(std::int32_t scriptNumber,
                                             std::int32_t messageNumber) {
    const TOtherScript& other = Script(scriptNumber);
    return {other.State, other.MsgFileName,
            other.State == TOtherScriptState::Loaded &&
                other.Messages.Find(messageNumber) != nullptr};
}

std::unique_ptr<TOtherScript> TOtherScriptMessages::Load(std::int32_t scriptNumber) const {
    auto script = std::make_unique<TOtherScript>();
    if (scriptNumber < 1 || scriptNumber > List_.Count() ||
        List_.Names[static_cast<std::size_t>(scriptNumber - 1)].empty()) {
        return script;
    }
    script->MsgFileName = FileNamePart(
        ChangeFileExt(List_.Names[static_cast<std::size_t>(scriptNumber - 1)], ".msg"));
    script->State = TOtherScriptState::NoFile;
    const std::string path = FindBeside(script->MsgFileName);
    // A link out of the folder is no file of the folder's.
    if (path.empty() || LeadsOutsideFolder(Folder_, path)) {
        return script;
    }
    try {
        script->Lines.LoadFromFile(path);
    } catch (const EDialoscopeError&) {
        return script;
    }
    script->MsgFileName = std::filesystem::path(path).filename().string();
    script->Messages = ReadMessageEntries(script->Lines);
    script->State = TOtherScriptState::Loaded;
    return script;
}

} // namespace dialoscope
