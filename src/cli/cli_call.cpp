#include "cli_call.h"

#include <filesystem>

namespace dialoscope {

namespace {

std::string ProgramFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return ".";
    }
    return exe.parent_path().string();
}

} // namespace

std::string ScriptsLstOf(const TCliCall& call) {
    if (call.ScriptsLst) {
        return *call.ScriptsLst;
    }
    if (call.Project) {
        return *call.Project;
    }
    return ProgramFolder() + "/scripts.lst";
}

} // namespace dialoscope
