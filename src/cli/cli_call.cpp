#include "cli_call.h"

#include "checks/run_checks.h"

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

void CheckAgainstUse(const TCliCall& call) {
    if (call.Against && call.Scripts.size() > 1 && !IsFolder(*call.Against)) {
        throw EUsageError(
            "with several scripts, --against names the folder of the original message files");
    }
    if (call.Since && call.Scripts.size() > 1 && !IsFolder(*call.Since)) {
        throw EUsageError(
            "with several scripts, --since names the folder of the older original message files");
    }
}

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
