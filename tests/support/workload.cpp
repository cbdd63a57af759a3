#include "workload.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace dialoscope::test {

namespace {

// A fresh folder beside target for one generator run, so that two tests generating the same
// workload at once never write into each other's files.
std::filesystem::path FreshSibling(const std::filesystem::path& target) {
    std::string pattern = target.string() + ".part-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a folder beside " + target.string());
    }
    return pattern;
}

// Moves the finished folder into place in one rename and gives the folder to use: when another
// run got there first its folder is as good as ours, and ours goes; when the target is a
// leftover that is not complete, ours is used where it is.
std::filesystem::path PublishFolder(const std::filesystem::path& made,
                                    const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::rename(made, target, error);
    if (!error) {
        return target;
    }
    if (!std::filesystem::exists(target / "scripts.lst")) {
        return made;
    }
    std::filesystem::remove_all(made, error);
    return target;
}

} // namespace

bool GenerateWorkload(const std::string& options, const std::string& folder) {
    const std::string command = std::string("python3 ") + DIALOSCOPE_GEN_SCRIPT + " --out " +
                                folder + " " + options + " > /dev/null";
    return std::system(command.c_str()) == 0;
}

std::string GeneratedWorkload(const std::string& options) {
    std::string key;
    for (const char c : options) {
        key += (std::isalnum(static_cast<unsigned char>(c)) != 0) ? c : '_';
    }
    const auto folder = std::filesystem::temp_directory_path() / ("dialoscope-gen-" + key);
    // The folder appears whole, by one rename, so a folder that holds the list is complete.
    if (std::filesystem::exists(folder / "scripts.lst")) {
        return folder.string();
    }
    const std::filesystem::path made = FreshSibling(folder);
    if (!GenerateWorkload(options, made.string())) {
        std::error_code error;
        std::filesystem::remove_all(made, error);
        throw std::runtime_error("the workload generator failed with " + options);
    }
    return PublishFolder(made, folder).string();
}

} // namespace dialoscope::test
